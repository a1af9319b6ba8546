#version 110
// The texture on unit 0 tinted by "colors". "tpos" is the pen position of the font's bold pass; the
// glyph quads already carry it in their vertices, so the colour does not depend on it.
uniform sampler2D tex;
uniform vec4 colors;
uniform vec3 tpos;

void main()
{
    gl_FragColor = texture2D(tex, gl_TexCoord[0].st) * colors;
}
