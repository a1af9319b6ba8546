// A character made of parts, as games ship them: a body with a tag file, heads beside it and a weapon,
// each with its skin, for the tests of parts on tags.
#pragma once

#include <string>

namespace korvel::test {

// Writes into `folder`: body.md2 (the 9-frame octahedron of Md2Writer, green) with body.tag, whose
// tag_head rides its top vertex and tag_rweapon its +x vertex; head01.md2 (a red box) and head02.md2
// (a white box); rifle.md2 (a long blue bar). Each model's skin is the PNG of its own name.
void WriteCharacter(const std::string& folder);

} // namespace korvel::test
