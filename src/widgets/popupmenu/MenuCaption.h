#pragma once

#include <QChar>
#include <QString>

// Captions mark their accelerator with "&"; "&&" stands for a literal "&".
namespace MenuCaption {
[[nodiscard]] QString plainText(const QString &caption);
// The letter after a single "&", or a null QChar.
[[nodiscard]] QChar accelerator(const QString &caption);
} // namespace MenuCaption
