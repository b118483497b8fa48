// Files the user keeps in the program folder ("Logo.bmp", "Formular.txt",
// report pictures), found whatever the case of their names.
#pragma once

#include <string>

namespace app {

// The path of ordner + "\" + name when such a file exists (the last part of
// the name compared without regard to ASCII case), else "".
std::string programmDatei(const std::string& ordner, const std::string& name);

}  // namespace app
