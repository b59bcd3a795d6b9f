#pragma once

// The program's own version: shown by the About window and compared, as a
// number, with the version the maker publishes.
inline constexpr char kProgramVersion[] = "1.5";
