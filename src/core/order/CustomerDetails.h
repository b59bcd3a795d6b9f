#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The customer's details printed on every order document. Texts are
// Windows-1251 bytes, as kept in userinfo.ini.
struct CustomerDetails
{
    bool UserInfoSpecified = false;
    bool RemindOnStartup = false;
    std::string Company;
    std::string TIN; // taxpayer number
    std::string Phones;
    std::string ContactPerson;
    std::string Email;
    int32_t CompanyType = 0; // index into kCompanyTypeNames
};

// The legal forms in the order of the customer dialog's list (UTF-8).
inline constexpr std::array<const char*, 4> kCompanyTypeNames = {"ООО", "ИП", "ПБОЮЛ", "ЗАО"};

// The legal form's word in Windows-1251; empty for an index outside the list,
// which only a hand-edited settings file can hold.
std::string CompanyTypeWord(int32_t companyType);

// A field's text as it is stored (Windows-1251): every control character
// becomes a blank, since a line break would end the value in userinfo.ini.
std::string CustomerFieldText(std::string_view text);
