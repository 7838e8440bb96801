#include "link/PortList.h"

#include "link/PortDevice.h"
#include "link/SystemPorts.h"

#include <QFileInfo>
#include <QStringList>

#include <algorithm>

namespace modLumentorMGW {

namespace {
PortReporter &reporter()
{
    static PortReporter source = SystemPorts;
    return source;
}

// COM1 to COM8 until the system is first asked.
std::vector<PortEntry> comEntries()
{
    std::vector<PortEntry> list;
    for (int16_t n = 1; n <= ComPorts; ++n)
        list.push_back({QStringLiteral("COM%1").arg(n), QStringLiteral("COM%1").arg(n), QString()});
    return list;
}

std::vector<PortEntry> &entries()
{
    static std::vector<PortEntry> list = comEntries();
    return list;
}

bool asked = false;

QStringList &namedPorts()
{
    static QStringList names;
    return names;
}

// "COM1" to "COM8" in any case: 1 to 8; anything else 0.
int16_t comNumber(const QString &name)
{
    if (name.size() != 4 || !name.startsWith(QLatin1String("COM"), Qt::CaseInsensitive))
        return 0;
    const int n = name.at(3).digitValue();
    return int16_t(n >= 1 && n <= ComPorts ? n : 0);
}

// One device under two names: the same path, or links to the same node.
bool sameDevice(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    if (a == b)
        return true;
    const QString real = QFileInfo(a).canonicalFilePath();
    return !real.isEmpty() && real == QFileInfo(b).canonicalFilePath();
}

// ttyUSB2 before ttyUSB10, COM9 before COM10: runs of digits by value.
bool naturalLess(const QString &a, const QString &b)
{
    int i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            int ei = i, ej = j;
            while (ei < a.size() && a[ei].isDigit())
                ++ei;
            while (ej < b.size() && b[ej].isDigit())
                ++ej;
            const qulonglong x = a.mid(i, ei - i).toULongLong(), y = b.mid(j, ej - j).toULongLong();
            if (x != y)
                return x < y;
            i = ei, j = ej;
        } else {
            if (a[i] != b[j])
                return a[i] < b[j];
            ++i, ++j;
        }
    }
    return a.size() - i < b.size() - j;
}

bool isComPort(const ReportedPort &port)
{
    if (comNumber(port.name))
        return true;
    for (int16_t n = 1; n <= ComPorts; ++n) {
        if (sameDevice(port.location, DefaultPortDevice(n)))
            return true;
    }
    return false;
}
} // namespace

PortReporter SetPortReporter(PortReporter source)
{
    PortReporter previous = reporter();
    reporter() = source ? std::move(source) : PortReporter(SystemPorts);
    return previous;
}

std::vector<ReportedPort> ReportedPorts()
{
    return reporter()();
}

void RefreshPorts()
{
    std::vector<ReportedPort> reported = reporter()();
    reported.erase(std::remove_if(reported.begin(), reported.end(), isComPort), reported.end());
    std::stable_sort(reported.begin(), reported.end(),
                     [](const ReportedPort &a, const ReportedPort &b) { return naturalLess(a.name, b.name); });

    asked = true;
    std::vector<PortEntry> &list = entries();
    list = comEntries();
    for (const ReportedPort &port : reported) {
        const QString text = port.description.isEmpty() ? port.name : port.name + QStringLiteral(" (")
                                                                          + port.description + QLatin1Char(')');
        list.push_back({port.name, text, port.location});
    }
    for (const QString &name : namedPorts()) {
        if (!ListedPortNumber(name))
            list.push_back({name, name, name});
    }
}

const std::vector<PortEntry> &PortEntries()
{
    if (!asked)
        RefreshPorts();
    return entries();
}

int16_t ListedPortNumber(const QString &name)
{
    if (name.isEmpty())
        return 0; // the eight COM entries keep an empty device: no name is theirs
    if (const int16_t n = comNumber(name))
        return n;
    // The entries as they stand: a path needs no asking the system (slow),
    // it opens as itself either way.
    const std::vector<PortEntry> &list = entries();
    for (size_t i = 0; i < list.size(); ++i) {
        if (name == list[i].name || name == list[i].device)
            return int16_t(i + 1);
    }
    for (size_t i = 0; i < list.size(); ++i) {
        if (sameDevice(name, PortDevice(int16_t(i + 1))))
            return int16_t(i + 1);
    }
    return 0;
}

int16_t PortNumberFor(const QString &name)
{
    if (name.isEmpty())
        return 0;
    if (const int16_t n = ListedPortNumber(name))
        return n;
    namedPorts() << name;
    entries().push_back({name, name, name});
    return int16_t(entries().size());
}

void ForgetNamedPorts()
{
    namedPorts().clear();
    RefreshPorts();
}

QString ListedPortDevice(int16_t port)
{
    const std::vector<PortEntry> &list = entries();
    return port > ComPorts && port <= int16_t(list.size()) ? list[size_t(port - 1)].device : QString();
}

} // namespace modLumentorMGW
