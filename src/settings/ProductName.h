#pragma once

namespace brevlin {

// The product's display name, the same in every interface language: the titles of windows and
// message boxes, the texts that name the program, the page title of a converted standard input.
inline constexpr char ProductName[] = "Brevlin Glosser";

} // namespace brevlin
