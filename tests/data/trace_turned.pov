// The preview scene's placing of an object with a turn and size of its own:
// a flag (type 16: a pole, and a flag from its top towards +x) of size 4
// turned by 90 degrees at P. A ray straight down through the middle of the
// flag, turned with it, meets the flag's top: "F met-y expected-y"; the same
// ray unturned misses it: "M length-of-the-normal" (0 for a miss).
#include "Preview.pov"
#declare P = <3, 2, -1>;
#declare Flag = HS_Placed(HS_Shape16, P, 90, 4);
#declare N = <0, 0, 0>;
#declare Hit = trace(Flag, P + vrotate(<0.75 * U * 4, 100, 0>, 90 * y), -y, N);
#debug concat("F ", str(Hit.y, 0, 6), " ", str(P.y + 4 * U * 4, 0, 6), "\n")
#declare N = <0, 0, 0>;
#declare Hit = trace(Flag, P + <0.75 * U * 4, 100, 0>, -y, N);
#debug concat("M ", str(vlength(N), 0, 6), "\n")
