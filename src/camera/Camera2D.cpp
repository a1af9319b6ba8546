#include "camera/Camera2D.h"

CCamera2D::CCamera2D() : x(0.0f), y(0.0f) {}

CCamera2D::CCamera2D(float x, float y) : x(x), y(y) {}

CCamera2D::~CCamera2D() = default;

void CCamera2D::Set(float x, float y) {
    this->x = x;
    this->y = y;
}

void CCamera2D::Offset(float dx, float dy) {
    x += dx;
    y += dy;
}
