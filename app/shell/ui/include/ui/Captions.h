// Texts that several windows share.
#pragma once

#include <QString>

namespace ui {

// The application title and the main window's caption; the second start looks for it.
inline const QString kApplicationTitle = QStringLiteral("Quorvel Import Utility");

// The maker's web address behind the tips window's link label.
inline const QString kMakerWebAddress = QStringLiteral("https://www.quorvel.example/");

} // namespace ui
