#version 110
varying vec3 normal;

void main()
{
    float intensity = dot(normalize(gl_LightSource[0].position.xyz), normalize(normal));
    float band;
    if (intensity > 0.95) {
        band = 1.0;
    } else if (intensity > 0.5) {
        band = 0.6;
    } else if (intensity > 0.25) {
        band = 0.4;
    } else {
        band = 0.2;
    }
    gl_FragColor = vec4(gl_Color.rgb * band, gl_Color.a);
}
