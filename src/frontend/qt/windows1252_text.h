#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <QString>
#include <QValidator>

namespace vantorix {

// Between the toolkit's text and the program's single-byte Windows-1252 texts.
QString fromWindows1252(std::string_view text);
// nullopt when the text holds a character the code page has no byte for.
std::optional<std::string> toWindows1252(const QString& text);

// Refuses an edit, typed or pasted, that would put into a settings text a
// character the code page cannot hold or a line break (a setting is one line
// of the configuration file). The box then shows exactly what is stored.
class Windows1252Validator final : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;
};

}  // namespace vantorix
