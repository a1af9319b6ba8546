#version 110
// Directional light 0, diffuse term evaluated per pixel.
varying vec3 normal;

void main()
{
    normal = gl_NormalMatrix * gl_Normal;
    gl_Position = ftransform();
}
