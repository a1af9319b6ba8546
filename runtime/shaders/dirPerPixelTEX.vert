#version 110
// The skin on unit 0 lit per pixel by the same fixed directional light as the per-vertex program.
varying vec3 normal;

void main()
{
    normal = gl_NormalMatrix * gl_Normal;
    gl_TexCoord[0] = gl_MultiTexCoord0;
    gl_Position = ftransform();
}
