#version 110
// Point light 0 per pixel: eye-space position and normal go to the fragment stage.
varying vec3 normal;
varying vec3 eyePosition;

void main()
{
    normal = gl_NormalMatrix * gl_Normal;
    eyePosition = vec3(gl_ModelViewMatrix * gl_Vertex);
    gl_Position = ftransform();
}
