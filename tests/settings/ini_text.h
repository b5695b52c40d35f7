// Reading plugin.ini as text: the sections and their key=value lines in file
// order, as the profile writer left them.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace settings_tests {

using KeyValues = std::vector<std::pair<std::string, std::string>>;

inline std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return "";
    const size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

// The key=value lines of `section`, in the order they stand in `bytes`.
inline KeyValues SectionLines(const std::string& bytes, const std::string& section) {
    KeyValues lines;
    bool inside = false;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        const std::string line = Trim(bytes.substr(start, end - start));
        start = end + 1;
        if (!line.empty() && line[0] == '[') {
            inside = line == "[" + section + "]";
        } else if (inside) {
            const size_t equals = line.find('=');
            if (equals != std::string::npos)
                lines.emplace_back(Trim(line.substr(0, equals)), Trim(line.substr(equals + 1)));
        }
    }
    return lines;
}

inline std::string Describe(const KeyValues& lines) {
    std::string text;
    for (const auto& [key, value] : lines) text += "  " + key + "=" + value + "\n";
    return text;
}

}  // namespace settings_tests
