// Traces a height field's ground at every HS_Step-th pixel of its inner
// rows and columns (trace() can miss at the edges): "L x y level" per
// pixel on the debug stream, the level in 65536ths of the field's height.
// trace_file.inc declares HS_File and the macro HS_Format() (its keyword).
#include "trace_file.inc"
#declare HS_Field = height_field { HS_Format() HS_File }
#declare HS_Map = pigment { image_map { HS_Format() HS_File } }
#declare HS_Size = max_extent(HS_Map);
#declare HS_Step = max(1, floor(HS_Size.x / 40));
#for (Y, 1, HS_Size.y - 2, HS_Step)
  #for (X, 1, HS_Size.x - 2, HS_Step)
    #declare HS_Normal = <0, 0, 0>;
    #declare HS_Hit = trace(HS_Field, <X / (HS_Size.x - 1), 2, 1 - Y / (HS_Size.y - 1)>, -y, HS_Normal);
    #debug concat("L ", str(X, 0, 0), " ", str(Y, 0, 0), " ", str(HS_Hit.y * 65536, 0, 3), "\n")
  #end
#end
