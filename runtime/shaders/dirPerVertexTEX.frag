#version 110
uniform sampler2D tex;
varying float light;

void main()
{
    vec4 texel = texture2D(tex, gl_TexCoord[0].st);
    gl_FragColor = vec4(texel.rgb * light, texel.a);
}
