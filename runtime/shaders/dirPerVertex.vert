#version 110
// Directional light 0, diffuse term evaluated per vertex and interpolated.
void main()
{
    vec3 n = normalize(gl_NormalMatrix * gl_Normal);
    vec3 toLight = normalize(gl_LightSource[0].position.xyz);
    float diffuse = max(dot(n, toLight), 0.0);
    vec4 ambient = gl_FrontLightProduct[0].ambient + gl_LightModel.ambient * gl_FrontMaterial.ambient;
    gl_FrontColor = ambient + gl_FrontLightProduct[0].diffuse * diffuse;
    gl_Position = ftransform();
}
