#version 110
// Untextured geometry in its vertex colours.
void main()
{
    gl_FrontColor = gl_Color;
    gl_Position = ftransform();
}
