#version 110
varying vec3 normal;
varying vec3 eyePosition;

void main()
{
    vec3 n = normalize(normal);
    vec3 toLight = gl_LightSource[0].position.xyz - eyePosition;
    float distance = length(toLight);
    toLight /= max(distance, 0.0001);
    vec4 color = gl_LightModel.ambient * gl_FrontMaterial.ambient + gl_FrontLightProduct[0].ambient;
    float spotCos = dot(normalize(gl_LightSource[0].spotDirection), -toLight);
    float diffuse = max(dot(n, toLight), 0.0);
    if (diffuse > 0.0 && spotCos >= gl_LightSource[0].spotCosCutoff) {
        float spot = pow(spotCos, gl_LightSource[0].spotExponent);
        float attenuation = spot / (gl_LightSource[0].constantAttenuation +
                                    gl_LightSource[0].linearAttenuation * distance +
                                    gl_LightSource[0].quadraticAttenuation * distance * distance);
        vec3 halfway = normalize(toLight + normalize(-eyePosition));
        float specular = pow(max(dot(n, halfway), 0.0), max(gl_FrontMaterial.shininess, 1.0));
        color += attenuation * (gl_FrontLightProduct[0].diffuse * diffuse +
                                gl_FrontLightProduct[0].specular * specular);
    }
    gl_FragColor = color;
}
