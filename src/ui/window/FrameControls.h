#pragma once
// The controls inside the window's frames, public members of the window as
// the rest are (frmLumentorMGW.h), named as in the designer's tables.
#include <array>

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class ClickLabel;
class RelayGrid;

struct FrameControls {
    static constexpr int RelayCount = 64;

    QComboBox *cboSNode = nullptr;
    QComboBox *cboSRelay = nullptr;
    QPushButton *cmdAMRly = nullptr;
    QComboBox *cboAMRly = nullptr;
    QComboBox *cboLLGrp = nullptr;
    QPushButton *cmdAMGrp = nullptr;
    QComboBox *cboAMGrp = nullptr;
    QComboBox *cboLLPrs = nullptr;
    QPushButton *cmdAMPrs = nullptr;
    QComboBox *cboAMPrs = nullptr;
    QComboBox *cboINode = nullptr;
    QComboBox *cboIDev = nullptr;
    QComboBox *cboIInp = nullptr;
    QComboBox *cboMNode = nullptr;
    std::array<QLabel *, RelayCount> lblMRelay{};     // element 0 designed, 1..63 made by start-up
    std::array<ClickLabel *, RelayCount> lblMInc{};
    RelayGrid *relayGrid = nullptr;   // the grid's one keyboard stop, over lblMInc
    QLabel *lblProgress = nullptr;
    QProgressBar *prgUpDown = nullptr;
    QPushButton *cmdCancel = nullptr;
};
