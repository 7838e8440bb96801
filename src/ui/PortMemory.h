#pragma once
// The port chosen last, kept between runs by its name (QSettings, in the
// user's configuration folder).
#include <QString>

namespace modLumentorMGW {

QString RememberedPort(); // empty when none was chosen yet
void RememberPort(const QString &name);

} // namespace modLumentorMGW
