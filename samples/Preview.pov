// Hillstrew preview scene. Hillstrew's Render button writes TestPlace.inc next
// to this file and starts POV-Ray on Preview.ini, which renders this scene.
// It uses every declaration of the include file, so it also shows how a scene
// of your own can use them:
//   HS_At, HS_Look    camera position and the point it looks at
//   HS_Hf, HS_Hf_typ  height-field file, 0 Targa, 1 PPM, 2 PNG, 3 PGM or
//                     4 true-colour Targa
//   HS_Scale          size of the whole map in POV units (x, height, z)
//   HS_Water          water level as a fraction of 255
//   HS_Smooth         1 for a smoothed height field
//   HS_Obj1..HS_Obj16 arrays of object positions, declared only when not empty
//   HS_Turn1..HS_Turn16, HS_Size1..HS_Size16
//                     each object's turn about the vertical axis in degrees and
//                     its size factor, in the order of HS_Obj<n>; declared only
//                     for a type that has an object with its own turn or size
#version 3.7;

#include "TestPlace.inc"

global_settings { assumed_gamma 1.0 }

// Hillstrew puts the map's centre pixel (integer halves of width - 1 and
// height - 1) at the origin and its top row towards +z, as POV-Ray's own
// height field does; only the shift differs.
#macro HS_HfFormat()
  #switch (HS_Hf_typ)
    #case (0) tga #break
    #case (1) ppm #break
    #case (2) png #break
    #case (3) pgm #break
    #case (4) tga #break
    #else
      #error concat("Preview.pov does not know height-field type ", str(HS_Hf_typ, 0, 0),
                    ": copy the new samples/Preview.pov")
  #end
#end
#declare HS_Map = pigment { image_map { HS_HfFormat() HS_Hf } }
#declare HS_MapExtent = max_extent(HS_Map); // the image's width and height
#declare HS_CentreX = div(HS_MapExtent.x - 1, 2) / max(HS_MapExtent.x - 1, 1);
#declare HS_CentreZ = div(HS_MapExtent.y - 1, 2) / max(HS_MapExtent.y - 1, 1);

#declare HS_Terrain = height_field {
  HS_HfFormat() HS_Hf
  #if (HS_Smooth = 1) smooth #end
  translate <-HS_CentreX, 0, HS_CentreZ - 1>
  scale HS_Scale
}

object {
  HS_Terrain
  texture {
    pigment {
      gradient y
      color_map {
        [0.00 color rgb <0.76, 0.70, 0.50>]
        [0.15 color rgb <0.25, 0.55, 0.20>]
        [0.60 color rgb <0.45, 0.40, 0.30>]
        [0.85 color rgb <0.95, 0.95, 0.95>]
      }
      scale HS_Scale.y + 0.001
    }
    finish { diffuse 0.8 }
  }
}

// Water: HS_Water is the level over 255 for every type; a 16-bit height field
// (all but the colour-mapped Targa) measures heights out of 65535.
#if (HS_Hf_typ = 0)
  #declare HS_WaterY = HS_Water * HS_Scale.y;
#else
  #declare HS_WaterY = HS_Water * 255 / 65535 * HS_Scale.y;
#end
plane {
  y, HS_WaterY
  pigment { color rgbf <0.15, 0.30, 0.75, 0.3> }
  finish { reflection 0.2 specular 0.4 }
}

camera {
  location HS_At
  look_at HS_Look
  right x * image_width / image_height
  angle 60
}

light_source { <-1, 2, -1> * 10 * HS_Scale.x color rgb 1 }
light_source { <1, 3, 1> * 10 * HS_Scale.x color rgb 0.3 shadowless }
sky_sphere {
  pigment {
    gradient y
    color_map { [0 color rgb <0.75, 0.85, 1.0>] [1 color rgb <0.25, 0.45, 0.85>] }
  }
}

// One simple shape per object type, about one hundredth of the map across,
// standing on its position.
#declare U = HS_Scale.x / 100;
#macro Paint(C) texture { pigment { color rgb C } finish { specular 0.3 } } #end

#declare HS_Shape1 = cone { 0, U, <0, 3 * U, 0>, 0 Paint(<0.1, 0.6, 0.1>) }
#declare HS_Shape2 = sphere { <0, U, 0>, U Paint(<0.9, 0.1, 0.1>) }
#declare HS_Shape3 = box { <-U, 0, -U>, <U, 2 * U, U> Paint(<0.1, 0.2, 0.9>) }
#declare HS_Shape4 = cylinder { 0, <0, 2 * U, 0>, 0.7 * U Paint(<0.95, 0.85, 0.1>) }
#declare HS_Shape5 = torus { U, 0.35 * U translate <0, 0.35 * U, 0> Paint(<0.85, 0.1, 0.85>) }
#declare HS_Shape6 = cone { 0, 0, <0, 2.5 * U, 0>, U Paint(<0.1, 0.85, 0.85>) }
#declare HS_Shape7 = cylinder { 0, <0, 0.3 * U, 0>, 1.5 * U Paint(<1.0, 0.55, 0.1>) }
#declare HS_Shape8 = box { <-0.3 * U, 0, -0.3 * U>, <0.3 * U, 5 * U, 0.3 * U> Paint(<0.95, 0.95, 0.95>) }
#declare HS_Shape9 = sphere { <0, 1, 0>, 1 scale <0.6, 1.5, 0.6> * U Paint(<1.0, 0.6, 0.7>) }
#declare HS_Shape10 = box { -U, U rotate <45, 0, 45> translate <0, 1.8 * U, 0> Paint(<0.6, 1.0, 0.2>) }
#declare HS_Shape11 = torus { U, 0.3 * U rotate 90 * x translate <0, 1.3 * U, 0> Paint(<0.5, 0.2, 0.8>) }
#declare HS_Shape12 = union {
  sphere { <0, U, 0>, U }
  sphere { <0, 2.6 * U, 0>, 0.7 * U }
  Paint(<0.75, 0.9, 1.0>)
}
#declare HS_Shape13 = union {
  cylinder { 0, <0, 1.5 * U, 0>, 0.25 * U Paint(<0.45, 0.3, 0.15>) }
  sphere { <0, 2.5 * U, 0>, 1.2 * U Paint(<0.05, 0.4, 0.1>) }
}
#declare HS_Shape14 = union {
  box { <-1.5 * U, 0, -0.3 * U>, <1.5 * U, 0.6 * U, 0.3 * U> }
  box { <-0.3 * U, 0, -1.5 * U>, <0.3 * U, 0.6 * U, 1.5 * U> }
  Paint(<0.55, 0.35, 0.2>)
}
#declare HS_Shape15 = intersection {
  sphere { 0, 1.3 * U }
  box { <-2 * U, 0, -2 * U>, <2 * U, 2 * U, 2 * U> }
  Paint(<1.0, 0.8, 0.2>)
}
#declare HS_Shape16 = union {
  cylinder { 0, <0, 4 * U, 0>, 0.1 * U }
  box { <0, 3 * U, -0.05 * U>, <1.5 * U, 4 * U, 0.05 * U> }
  Paint(<0.5, 0.5, 0.5>)
}

// One object: sized and turned about its base (each shape stands on its base
// at the origin), then moved to its place. A turn goes as POV-Ray's rotate
// about y: clockwise seen from above.
#macro HS_Placed(Shape, Point, Turn, Size)
  object { Shape scale Size rotate Turn * y translate Point }
#end
#macro HS_PlaceAll(Points, Shape)
  #for (I, 0, dimension_size(Points, 1) - 1)
    object { Shape translate Points[I] }
  #end
#end
#macro HS_PlaceTurned(Points, Turns, Sizes, Shape)
  #for (I, 0, dimension_size(Points, 1) - 1)
    HS_Placed(Shape, Points[I], Turns[I], Sizes[I])
  #end
#end

#ifdef (HS_Turn1)  HS_PlaceTurned(HS_Obj1,  HS_Turn1,  HS_Size1,  HS_Shape1)
#else #ifdef (HS_Obj1)  HS_PlaceAll(HS_Obj1,  HS_Shape1) #end #end
#ifdef (HS_Turn2)  HS_PlaceTurned(HS_Obj2,  HS_Turn2,  HS_Size2,  HS_Shape2)
#else #ifdef (HS_Obj2)  HS_PlaceAll(HS_Obj2,  HS_Shape2) #end #end
#ifdef (HS_Turn3)  HS_PlaceTurned(HS_Obj3,  HS_Turn3,  HS_Size3,  HS_Shape3)
#else #ifdef (HS_Obj3)  HS_PlaceAll(HS_Obj3,  HS_Shape3) #end #end
#ifdef (HS_Turn4)  HS_PlaceTurned(HS_Obj4,  HS_Turn4,  HS_Size4,  HS_Shape4)
#else #ifdef (HS_Obj4)  HS_PlaceAll(HS_Obj4,  HS_Shape4) #end #end
#ifdef (HS_Turn5)  HS_PlaceTurned(HS_Obj5,  HS_Turn5,  HS_Size5,  HS_Shape5)
#else #ifdef (HS_Obj5)  HS_PlaceAll(HS_Obj5,  HS_Shape5) #end #end
#ifdef (HS_Turn6)  HS_PlaceTurned(HS_Obj6,  HS_Turn6,  HS_Size6,  HS_Shape6)
#else #ifdef (HS_Obj6)  HS_PlaceAll(HS_Obj6,  HS_Shape6) #end #end
#ifdef (HS_Turn7)  HS_PlaceTurned(HS_Obj7,  HS_Turn7,  HS_Size7,  HS_Shape7)
#else #ifdef (HS_Obj7)  HS_PlaceAll(HS_Obj7,  HS_Shape7) #end #end
#ifdef (HS_Turn8)  HS_PlaceTurned(HS_Obj8,  HS_Turn8,  HS_Size8,  HS_Shape8)
#else #ifdef (HS_Obj8)  HS_PlaceAll(HS_Obj8,  HS_Shape8) #end #end
#ifdef (HS_Turn9)  HS_PlaceTurned(HS_Obj9,  HS_Turn9,  HS_Size9,  HS_Shape9)
#else #ifdef (HS_Obj9)  HS_PlaceAll(HS_Obj9,  HS_Shape9) #end #end
#ifdef (HS_Turn10) HS_PlaceTurned(HS_Obj10, HS_Turn10, HS_Size10, HS_Shape10)
#else #ifdef (HS_Obj10) HS_PlaceAll(HS_Obj10, HS_Shape10) #end #end
#ifdef (HS_Turn11) HS_PlaceTurned(HS_Obj11, HS_Turn11, HS_Size11, HS_Shape11)
#else #ifdef (HS_Obj11) HS_PlaceAll(HS_Obj11, HS_Shape11) #end #end
#ifdef (HS_Turn12) HS_PlaceTurned(HS_Obj12, HS_Turn12, HS_Size12, HS_Shape12)
#else #ifdef (HS_Obj12) HS_PlaceAll(HS_Obj12, HS_Shape12) #end #end
#ifdef (HS_Turn13) HS_PlaceTurned(HS_Obj13, HS_Turn13, HS_Size13, HS_Shape13)
#else #ifdef (HS_Obj13) HS_PlaceAll(HS_Obj13, HS_Shape13) #end #end
#ifdef (HS_Turn14) HS_PlaceTurned(HS_Obj14, HS_Turn14, HS_Size14, HS_Shape14)
#else #ifdef (HS_Obj14) HS_PlaceAll(HS_Obj14, HS_Shape14) #end #end
#ifdef (HS_Turn15) HS_PlaceTurned(HS_Obj15, HS_Turn15, HS_Size15, HS_Shape15)
#else #ifdef (HS_Obj15) HS_PlaceAll(HS_Obj15, HS_Shape15) #end #end
#ifdef (HS_Turn16) HS_PlaceTurned(HS_Obj16, HS_Turn16, HS_Size16, HS_Shape16)
#else #ifdef (HS_Obj16) HS_PlaceAll(HS_Obj16, HS_Shape16) #end #end
