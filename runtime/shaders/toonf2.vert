#version 110
// Toon shading: the vertex colour in four flat bands of light 0's intensity.
varying vec3 normal;

void main()
{
    normal = gl_NormalMatrix * gl_Normal;
    gl_FrontColor = gl_Color;
    gl_Position = ftransform();
}
