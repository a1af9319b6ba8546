#version 110
uniform sampler2D tex;
varying float height;
varying float diffuse;

void main()
{
    // Terrain heights run over a few tens of units; below 0 the ground is at its darkest.
    float shade = clamp(0.5 + height / 64.0, 0.5, 1.0);
    float light = 0.35 + 0.65 * diffuse;
    vec4 texel = texture2D(tex, gl_TexCoord[0].st);
    gl_FragColor = vec4(texel.rgb * gl_Color.rgb * shade * light, texel.a * gl_Color.a);
}
