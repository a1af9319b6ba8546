#version 110
// Textured 2D quads: images and text glyphs.
void main()
{
    gl_TexCoord[0] = gl_MultiTexCoord0;
    gl_Position = ftransform();
}
