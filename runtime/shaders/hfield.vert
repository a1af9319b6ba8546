#version 110
// A height field: the texture on unit 0, darkened in the valleys and lit by light 0.
varying float height;
varying float diffuse;

void main()
{
    vec3 normal = normalize(gl_NormalMatrix * gl_Normal);
    vec3 toLight = normalize(gl_LightSource[0].position.xyz);
    diffuse = max(dot(normal, toLight), 0.0);
    height = gl_Vertex.y;
    gl_TexCoord[0] = gl_MultiTexCoord0;
    gl_FrontColor = gl_Color;
    gl_Position = ftransform();
}
