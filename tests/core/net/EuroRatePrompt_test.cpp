#include "core/net/EuroRatePrompt.h"
#include "support/FakeInteraction.h"

#include <gtest/gtest.h>

namespace {

struct PromptCase
{
    const char* name;
    double initial;
    std::vector<std::optional<QString>> answers;
    double expected;
    std::vector<QString> offered; // the prefilled text of each prompt
    int errorMessages;
};

class PromptEuroRateTest : public ::testing::TestWithParam<PromptCase>
{};

TEST_P(PromptEuroRateTest, RepeatsUntilARateAboveZero)
{
    const PromptCase& c = GetParam();
    FakeInteraction ui;
    for (const auto& answer : c.answers)
        ui.InputAnswers.push_back(answer);
    TFormatSettings commaLocale;
    commaLocale.DecimalSeparator = ',';

    const double rate = PromptEuroRate(ui, QStringLiteral("Укажите курс евро:"), c.initial,
                                       MakeDotNumberFormat(commaLocale));
    EXPECT_DOUBLE_EQ(rate, c.expected);
    ASSERT_EQ(ui.Inputs.size(), c.offered.size());
    for (std::size_t i = 0; i < c.offered.size(); ++i) {
        EXPECT_EQ(ui.Inputs[i].Initial, c.offered[i]) << i;
        EXPECT_EQ(ui.Inputs[i].Caption, QStringLiteral("Курс евро"));
        EXPECT_EQ(ui.Inputs[i].Prompt, QStringLiteral("Укажите курс евро:"));
    }
    EXPECT_EQ(static_cast<int>(ui.Messages.size()), c.errorMessages);
    for (const auto& message : ui.Messages) {
        EXPECT_EQ(message.Text, QStringLiteral("Указан некорректный курс евро"));
        EXPECT_EQ(message.Caption, QStringLiteral("Ошибка"));
        EXPECT_EQ(message.Style, 16);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, PromptEuroRateTest,
    ::testing::Values(
        PromptCase{"comma", 0, {QStringLiteral("90,5")}, 90.5, {QStringLiteral("0")}, 0},
        PromptCase{"point", 89.12, {QStringLiteral("91.25")}, 91.25, {QStringLiteral("89.12")}, 0},
        PromptCase{"notANumber",
                   0,
                   {QStringLiteral("abc"), QStringLiteral("80")},
                   80,
                   {QStringLiteral("0"), QStringLiteral("0")},
                   1},
        PromptCase{"negative",
                   0,
                   {QStringLiteral("-3"), QStringLiteral("70")},
                   70,
                   {QStringLiteral("0"), QStringLiteral("-3")},
                   0},
        PromptCase{"cancelKeepsInitial", 75.4, {std::nullopt}, 75.4, {QStringLiteral("75.4")}, 0},
        PromptCase{"cancelOnZero",
                   0,
                   {std::nullopt, QStringLiteral("88")},
                   88,
                   {QStringLiteral("0"), QStringLiteral("0")},
                   1},
        PromptCase{
            "unrounded", 0, {QStringLiteral("89,12345")}, 89.12345, {QStringLiteral("0")}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
