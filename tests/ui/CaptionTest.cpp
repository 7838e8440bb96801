// No caption is cut: every check box, option button, label, frame title and
// button, and the widest entry of every list but the port box, fits the room its control
// gives it, in the face and size the window ended up with. CTest runs this
// twice: with the machine's fonts, and with DejaVu Sans alone.
#include "common/WindowFixture.h"
#include "ui/window/CaptionRoom.h"

using namespace modLumentorMGW;

using CaptionTest = WindowFixture;

TEST_F(CaptionTest, EveryCaptionAndListEntryFitsItsControl)
{
    // With an adapter reported, whose entry the port box shows shortened.
    const PortReporter previous =
        SetPortReporter([] { return std::vector<ReportedPort>{{"ttyUSB0", "FT232R USB UART", "/dev/ttyUSB0"}}; });
    window = std::make_unique<frmLumentorMGW>();
    SetPortReporter(previous);
    frmLumentorMGW &w = *window;
    const QFontInfo face(w.font());
    const QString where = QStringLiteral("%1 %2 pt").arg(face.family()).arg(w.font().pointSizeF());
    // Under a font set-up limited to one face, that face is what the window got.
    if (const QString expected = qEnvironmentVariable("MGW_EXPECT_FACE"); !expected.isEmpty()) {
        ASSERT_EQ(face.family(), expected);
    }
    // The face of Arial's widths needs no shrinking: the layout was drawn for it.
    if (face.family() == "Liberation Sans") {
        EXPECT_EQ(w.font().pointSizeF(), 7.5);
    }
    EXPECT_GE(w.font().pointSizeF(), 6.0) << qPrintable(where);

    // The texts that come and go, at their longest.
    w.lblMRelay[63]->setText(QStringLiteral("Relay 64"));
    w.lblMInc[63]->setText(QStringLiteral("Yes"));
    w.lblProgress->setText(QStringLiteral("Verify Checksum For Memory Bank: 1"));
    EXPECT_EQ(CutCaptions(&w), QStringList()) << qPrintable(where);
}
