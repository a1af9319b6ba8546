#version 110
// The skin on unit 0 lit per vertex by a fixed directional light, coming from above and in front of
// the viewer, so a model needs no GL light set up.
varying float light;

void main()
{
    const vec3 toLight = vec3(0.267, 0.535, 0.802);
    vec3 n = normalize(gl_NormalMatrix * gl_Normal);
    light = 0.35 + 0.65 * max(dot(n, toLight), 0.0);
    gl_TexCoord[0] = gl_MultiTexCoord0;
    gl_Position = ftransform();
}
