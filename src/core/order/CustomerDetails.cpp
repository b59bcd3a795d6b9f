#include "core/order/CustomerDetails.h"

#include "core/text/Cp1251.h"

std::string CompanyTypeWord(int32_t companyType)
{
    if (companyType < 0 || companyType >= static_cast<int32_t>(kCompanyTypeNames.size()))
        return {};
    return Cp(kCompanyTypeNames[static_cast<std::size_t>(companyType)]);
}

std::string CustomerFieldText(std::string_view text)
{
    std::string stored(text);
    for (char& c : stored) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 0x20 || code == 0x7F)
            c = ' ';
    }
    return stored;
}
