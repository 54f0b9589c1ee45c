// Six-axis welding robot on its pedestal, looking along +x. FV_Variant 2: the orange arc-welding
// robot of every vehicle station (animated); 3: the blue spot-welding robot.
// FV_Frame selects a pose of the weld cycle (see below); the art stage repeats and reverses these
// poses into the frames of the game's robot sequences, so a pose is drawn once.
#version 3.7;
#include "fv_scene.inc"
#include "transforms.inc"
#include "robot_poses.inc"
#ifndef (FV_Variant) #declare FV_Variant = 2; #end

// ---- the pose of unique frame FV_Frame -----------------------------------------------------
//  0..15  rest -> ready          16..25 ready -> seam 1       26..29 weaving on seam 1
//  30..39 ready -> seam 2        40..43 weaving on seam 2
#macro Ease(T) (0.5 - 0.5 * cos(pi * T)) #end
#declare U = FV_Frame;
#if (U <= 15)
  #declare Tip = FV_RobotRest + (FV_RobotReady - FV_RobotRest) * Ease(U / 15);
  #declare Pitch = -80 + 25 * Ease(U / 15);
#elseif (U <= 25)
  #declare Tip = FV_RobotReady + (FV_RobotWeld1 - FV_RobotReady) * Ease((U - 15) / 10);
  #declare Pitch = -55 + 10 * Ease((U - 15) / 10);
#elseif (U <= 29)
  #declare Tip = FV_RobotWeld1 + <0, 0.012 * sin((U - 25) * pi / 2), 0.05 * (U - 25) / 4>;
  #declare Pitch = -45;
#elseif (U <= 39)
  #declare Tip = FV_RobotReady + (FV_RobotWeld2 - FV_RobotReady) * Ease((U - 29) / 10);
  #declare Pitch = -55 + 15 * Ease((U - 29) / 10);
#else
  #declare Tip = FV_RobotWeld2 + <0, 0.05 * (U - 39) / 4, 0.012 * sin((U - 39) * pi / 2)>;
  #declare Pitch = -40;
#end

// ---- inverse kinematics: turret yaw, then a two-link arm in the vertical plane -------------
#declare Shoulder = <0.1, 0.72, 0>;
#declare L1 = 0.78;
#declare L2 = 0.72;
#declare LT = 0.3;
#declare Yaw = degrees(atan2(Tip.z, Tip.x));
#declare R2 = sqrt(Tip.x * Tip.x + Tip.z * Tip.z);        // reach in the arm's plane
#declare TipP = <R2, Tip.y, 0>;
#declare Wrist = TipP - LT * <cos(radians(Pitch)), sin(radians(Pitch)), 0>;
#declare Dv = Wrist - Shoulder;
#declare Dl = min(vlength(Dv), L1 + L2 - 0.001);
#declare A = atan2(Dv.y, Dv.x);
#declare B = acos((L1 * L1 + Dl * Dl - L2 * L2) / (2 * L1 * Dl));
#declare Elbow = Shoulder + L1 * <cos(A + B), sin(A + B), 0>;

#switch (FV_Variant)
  #case (2) #declare Paint = texture { pigment { FV_cOrange } finish { FV_Glossy } } #break
  #else #declare Paint = texture { pigment { rgb <0.06, 0.16, 0.42> } finish { FV_Glossy } }
#end
#declare Dark = texture { pigment { rgb 0.05 } finish { FV_Metal } }

// A limb of rounded section from P to Q, W wide and T thick.
#macro Limb(P, Q, W, T)
  #local L = vlength(Q - P);
  object {
    FV_RBox(<-0.02, -T / 2, -W / 2>, <L + 0.02, T / 2, W / 2>, min(W, T) * 0.35)
    Reorient_Trans(x, Q - P)
    translate P
  }
#end

#declare Arm = union {
  // Shoulder housing with its motor.
  object { FV_RBox(<-0.22, 0.5, -0.26>, <0.28, 0.86, 0.26>, 0.07) texture { Paint } }
  cylinder { Shoulder + z * 0.24, Shoulder + z * 0.34, 0.15 texture { Dark } }
  // Upper arm and elbow.
  object { Limb(Shoulder, Elbow, 0.26, 0.22) texture { Paint } }
  cylinder { Elbow - z * 0.15, Elbow + z * 0.15, 0.13 texture { Paint } }
  cylinder { Elbow + z * 0.12, Elbow + z * 0.2, 0.08 texture { Dark } }
  // Forearm with its rear motor, the hose along it, the wrist and the torch.
  object { Limb(Elbow - vnormalize(Wrist - Elbow) * 0.24, Wrist, 0.18, 0.17) texture { Paint } }
  sphere { Elbow - vnormalize(Wrist - Elbow) * 0.24, 0.11 texture { Dark } }
  cylinder { Elbow + <0, 0.1, 0>, Wrist + <0, 0.06, 0>, 0.025 texture { FV_TBlack } }
  sphere { Wrist, 0.075 texture { Dark } }
  #if (FV_Variant = 2)
    cylinder { Wrist, TipP - vnormalize(TipP - Wrist) * 0.05, 0.035 texture { FV_TDarkSteel } }
    cone { TipP - vnormalize(TipP - Wrist) * 0.1, 0.03, TipP, 0.012 texture { pigment { rgb <0.55, 0.3, 0.12> } finish { FV_Metal } } }
  #else
    // Spot-welding gun: a C-shaped yoke with two electrodes.
    object { Limb(Wrist, TipP, 0.08, 0.1) texture { FV_TDarkSteel } }
    cylinder { TipP + <0, 0.12, 0>, TipP - <0, 0.12, 0>, 0.02 texture { pigment { rgb <0.55, 0.3, 0.12> } finish { FV_Metal } } }
  #end
  rotate y * -Yaw
}

#declare Robot = union {
  cylinder { <0, 0, 0>, <0, 0.06, 0>, 0.42 texture { FV_TDarkSteel } }
  #declare I = 0;
  #while (I < 4)
    cylinder { <0.33, 0.06, 0>, <0.33, 0.08, 0>, 0.03 rotate y * (45 + I * 90) texture { FV_TChrome } }
    #declare I = I + 1;
  #end
  cylinder { <0, 0.06, 0>, <0, 0.42, 0>, 0.27 texture { Paint } }
  cylinder { <0, 0.42, 0>, <0, 0.5, 0>, 0.3 texture { Dark } }
  box { <0.26, 0.15, -0.08>, <0.28, 0.3, 0.08> rotate y * 30 texture { FV_TYellow } }
  object { Arm }
}
FV_ShowInCell(Robot)
