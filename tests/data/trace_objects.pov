// The preview scene, then each HS_Obj1 position traced straight down onto its
// terrain: "HS exported-y traced-y" per object on the debug stream.
#include "Preview.pov"
#for (I, 0, dimension_size(HS_Obj1, 1) - 1)
  #declare HS_P = HS_Obj1[I];
  #declare HS_Normal = <0, 0, 0>;
  #declare HS_Hit = trace(HS_Terrain, <HS_P.x, 2 * HS_Scale.y + 1, HS_P.z>, -y, HS_Normal);
  #debug concat("HS ", str(HS_P.y, 0, 6), " ", str(HS_Hit.y, 0, 6), "\n")
#end
