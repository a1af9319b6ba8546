// The look-at camera, steered by the mouse and the keyboard.
#pragma once

class CCamera {
public:
    CCamera();
    ~CCamera();
};
