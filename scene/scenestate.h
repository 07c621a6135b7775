#pragma once

// The program-wide state of the 3D room, shared by the viewer set-up, the
// camera navigation, the picking and the bleeding spray. The graph, the
// camera and the render area exist only between the viewer's set-up and its
// teardown; outside that span the pointers are null.

class SoPerspectiveCamera;
class SoQtRenderArea;
class SoSeparator;

extern SoSeparator *sceneRoot;
extern SoPerspectiveCamera *camera;
extern SoQtRenderArea *renderArea;

// The eye, the view angles and the cursor anchor of mouse-look.
extern float cameraPosition[3];
extern float yaw;
extern float pitch;
extern int lastCursorX;
extern int lastCursorY;
