#version 110
uniform sampler2D tex;
varying vec3 normal;

void main()
{
    const vec3 toLight = vec3(0.267, 0.535, 0.802);
    float light = 0.35 + 0.65 * max(dot(normalize(normal), toLight), 0.0);
    vec4 texel = texture2D(tex, gl_TexCoord[0].st);
    gl_FragColor = vec4(texel.rgb * light, texel.a);
}
