#version 110
varying vec3 normal;

void main()
{
    vec3 n = normalize(normal);
    vec3 toLight = normalize(gl_LightSource[0].position.xyz);
    float diffuse = max(dot(n, toLight), 0.0);
    vec4 ambient = gl_FrontLightProduct[0].ambient + gl_LightModel.ambient * gl_FrontMaterial.ambient;
    gl_FragColor = ambient + gl_FrontLightProduct[0].diffuse * diffuse;
}
