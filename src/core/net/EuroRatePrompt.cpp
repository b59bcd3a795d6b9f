#include "core/net/EuroRatePrompt.h"

double PromptEuroRate(IUserInteraction& ui, const QString& prompt, double initialRate,
                      const TFormatSettings& dotFormat)
{
    double rate = initialRate;
    do {
        const QString offered = QString::fromStdString(FloatToStr(rate, dotFormat));
        QString entered =
            ui.InputBox(QStringLiteral("Курс евро"), prompt, offered).value_or(offered);
        entered.replace(u',', u'.');
        if (!TryStrToFloat(entered.toStdString(), rate, dotFormat))
            rate = 0;
        if (rate == 0)
            ui.MessageBox(QStringLiteral("Указан некорректный курс евро"), QStringLiteral("Ошибка"),
                          MessageButtons::Ok, MessageIcon::Error);
    } while (!(rate > 0));
    return rate;
}
