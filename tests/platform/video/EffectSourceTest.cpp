// The effect file format: what parses and what is refused with a reason.
#include "platform/video/PEffectSource.h"

#include <gtest/gtest.h>

TEST(EffectSource, ParsesTechniquesPassesAndStages)
{
    const std::string text = "// comment\n"
                             "technique First\n"
                             "pass P0\n"
                             "[vertex]\nvoid main() { gl_Position = fvScreenToClip(aPosition); }\n[end]\n"
                             "[fragment]\nvoid main() { fvOutput(vColour); }\n[end]\n"
                             "pass P1\n"
                             "[fragment]\r\nvoid main() { fvOutput(vec4(1.0)); }\r\n[end]\r\n"
                             "technique Second\npass Only\n[fragment]\nvoid main() {}\n[end]";
    PEffectSource source;
    std::string error;
    ASSERT_TRUE(PEffectSource::Parse(text, source, error)) << error;
    ASSERT_EQ(source.techniques.size(), 2u);
    EXPECT_EQ(source.techniques[0].name, "First");
    ASSERT_EQ(source.techniques[0].passes.size(), 2u);
    EXPECT_NE(source.techniques[0].passes[0].vertex.find("fvScreenToClip"), std::string::npos);
    EXPECT_TRUE(source.techniques[0].passes[1].vertex.empty());
    EXPECT_EQ(source.techniques[1].passes[0].name, "Only");
}

TEST(EffectSource, MalformedFilesAreRefused)
{
    struct Case
    {
        const char* text;
        const char* reason;
    } cases[] = {
        {"", "no technique"},
        {"pass P0\n", "pass outside a technique"},
        {"technique T\n[fragment]\nvoid main(){}\n[end]\n", "stage outside a pass"},
        {"technique T\npass P\n[fragment]\nvoid main(){}\n", "not closed"},
        {"technique T\n", "has no pass"},
        {"technique T\npass P\n[vertex]\nvoid main(){}\n[end]\n", "no fragment stage"},
        {"technique T\npass P\nfloat x;\n", "unexpected"},
    };
    for (const Case& c : cases)
    {
        PEffectSource source;
        std::string error;
        EXPECT_FALSE(PEffectSource::Parse(c.text, source, error)) << c.text;
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    }
}
