#include "core/pictures/PictureList.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string>;

TEST(SplitPictureList, SeparatorsAndQuoting)
{
    const struct
    {
        const char* list;
        Names names;
    } cases[] = {
        {"a.jpg;b.jpg;c.jpg", {"a.jpg", "b.jpg", "c.jpg"}},
        {"a.jpg; b.jpg", {"a.jpg", "b.jpg"}},
        {"a.jpg b.jpg", {"a.jpg", "b.jpg"}},
        {"a.jpg \t ;\n b.jpg", {"a.jpg", "b.jpg"}},
        {"  \x01\x1f a.jpg", {"a.jpg"}},
        {"a.jpg;;b.jpg", {"a.jpg", "", "b.jpg"}},
        {";a.jpg", {"", "a.jpg"}},
        {"a.jpg;", {"a.jpg", ""}},
        {"a.jpg; ", {"a.jpg"}},
        {"a.jpg  ", {"a.jpg"}},
        {"\"my photo.jpg\";b.jpg", {"my photo.jpg", "b.jpg"}},
        {"\"x;y.jpg\" b.jpg", {"x;y.jpg", "b.jpg"}},
        {"\"say \"\"cheese\"\".jpg\"", {"say \"cheese\".jpg"}},
        {"\"\";a.jpg", {"", "a.jpg"}},
        {"\"unclosed name.jpg", {"unclosed name.jpg"}},
        {"\"a\"b.jpg", {"a", "b.jpg"}},
        {"my photo.jpg", {"my", "photo.jpg"}},
        {"\xCF\xE5\xEB.jpg", {"\xCF\xE5\xEB.jpg"}},
        {"", {}},
        {"   ", {}},
        {";", {"", ""}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitPictureList(c.list), c.names) << '[' << c.list << ']';
}

} // namespace
