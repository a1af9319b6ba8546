#include "support/Character.h"

#include "support/Md2Writer.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace korvel::test {

void WriteCharacter(const std::string& folder) {
    const Md2Writer body = Md2Writer::Octahedron();
    files::TagFile tags;
    tags.AddRiding(body, "tag_head", {{4, 0, 2}});
    tags.AddRiding(body, "tag_rweapon", {{0, 2, 4}});
    WriteFile(folder + "/body.md2", body.Bytes());
    WriteFile(folder + "/body.tag", tags.Bytes());
    WriteFile(folder + "/head01.md2", Md2Writer::Box({{24, 24, 24}}, {}).Bytes());
    WriteFile(folder + "/head02.md2", Md2Writer::Box({{16, 16, 40}}, {}).Bytes());
    WriteFile(folder + "/rifle.md2", Md2Writer::Box({{70, 6, 6}}, {}).Bytes());
    for (const char* skin :
         {"body.png xc:#20e020", "head01.png xc:#e02020", "head02.png xc:white", "rifle.png xc:#2020e0"}) {
        const std::string words = skin;
        const std::string name = words.substr(0, words.find(' '));
        EXPECT_EQ(0, RunCommand("convert -size 16x16 " + words.substr(name.size() + 1) + " " +
                                ShellQuote(folder + "/" + name)));
    }
}

} // namespace korvel::test
