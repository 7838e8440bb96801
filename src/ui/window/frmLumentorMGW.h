#pragma once
// The program's one window. Controls are public members named as in the
// designer's tables (the same text is their objectName); handlers are
// member functions named control, underscore, event.
#include "ui/dialogs/CommonDialog.h"
#include "ui/widgets/PortComboBox.h"
#include "ui/window/FrameControls.h"

#include "link/TransferPanel.h"

#include <QMainWindow>
#include <array>
#include <functional>

class QAction;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;
class CellStep;
class EditHistory;
class PointOverview;
class RecoveryCopy;

class frmLumentorMGW : public QMainWindow, public FrameControls {
    Q_OBJECT

public:
    explicit frmLumentorMGW(QWidget *parent = nullptr);

    // Window-level flags.
    bool Loading = false;
    bool ExitConfirmed = false;
    bool FileDialogPrimed = false;
    // Set while a download or upload runs. A close request meanwhile cancels
    // it and is made again once the transfer has ended.
    bool TransferRunning = false;
    bool CloseAfterTransfer = false;

    // Controls on the window.
    QCheckBox *chkResend = nullptr;
    PortComboBox *cboComPort = nullptr;
    std::array<QRadioButton *, 2> optProtocol{};
    QButtonGroup *optProtocolGroup = nullptr;
    QComboBox *cboTimeout = nullptr;
    QComboBox *cboPoint = nullptr;
    QComboBox *cboType = nullptr;
    QGroupBox *frmSMap = nullptr;
    QGroupBox *frmGMap = nullptr;
    QGroupBox *frmPMap = nullptr;
    QGroupBox *frmIMap = nullptr;
    QGroupBox *frmMMap = nullptr;
    QGroupBox *frmUpDown = nullptr;
    QLabel *lblFileName = nullptr;
    CommonDialog cdFile;   // shared by Open and Save As; keeps its name between uses

    // Menu bar.
    QMenu *mnuFile = nullptr;
    QAction *mnuFileNew = nullptr;
    QAction *mnuFileOpen = nullptr;
    QAction *mnuFileSave = nullptr;
    QAction *mnuFileSaveAs = nullptr;
    QAction *mnuFileImport = nullptr;
    QAction *mnuDiv0 = nullptr;
    QAction *mnuExit = nullptr;
    QAction *mnuDownload = nullptr;
    QAction *mnuUpload = nullptr;
    QAction *mnuExport = nullptr;
    QMenu *mnuEdit = nullptr;
    QAction *mnuEditUndo = nullptr;
    QAction *mnuEditRedo = nullptr;
    QAction *mnuEditOverview = nullptr;
    QMenu *mnuPort = nullptr;
    QAction *mnuPortTest = nullptr;
    QAction *mnuPortLog = nullptr;
    QAction *mnuPortTransfer = nullptr;
    PointOverview *Overview = nullptr;   // made when first opened
    RecoveryCopy *Recovery = nullptr;    // the window's, from start-up to the end

    // Window routines.
    void ShowData();
    void Point750();
    void Point350();
    // The discard prompt: true when the asking command may go on.
    bool DiscardChanges();

    // Start-up and window events.
    void Form_Load();
    void Form_Resize();
    void Form_QueryUnload(bool &cancel);
    void optProtocol_Click(int Index);
    void mnuExit_Click();

    // Point editing.
    void cboPoint_Click();
    void cboMNode_Click();
    void cboType_Click();
    void cboSNode_Click();
    void cboSRelay_Click();
    void cboLLGrp_Click();
    void cboLLPrs_Click();
    void cboINode_Click();
    void cboIDev_Click();
    void cboIInp_Click();
    void chkResend_Click();
    void cboTimeout_Click();
    void lblMInc_Click(int Index);

    // Auto map.
    void cmdAMRly_Click();
    void cmdAMGrp_Click();
    void cmdAMPrs_Click();

    // File commands.
    void mnuFileNew_Click();
    void mnuFileOpen_Click();
    void mnuFileSave_Click();
    void mnuFileSaveAs_Click();
    void mnuFileImport_Click();   // frmLumentorMGW_import.cpp
    // True when a file was loaded / written.
    bool FileOpen();
    bool FileSaveAs();

    // The port list. ChoosePort takes a COM name or any device path (--port),
    // adding an entry when needed.
    void cboComPort_DropDown();
    void cboComPort_Click();
    void ChoosePort(const QString &name);
    QString ChosenPortName() const;   // the chosen entry's name; empty when none
    // A map file named at start-up (Explorer's open of a .MGW), opened as File > Open would.
    void OpenAtStart(const QString &path);

    // Transfers and export.
    void mnuDownload_Click();
    void mnuUpload_Click();
    void cmdCancel_Click();
    int16_t RecordTransfer(const QString &command, const std::function<int16_t()> &transfer);
    void mnuExport_Click();
    void ExportCSV();

    // Undo and redo (frmLumentorMGW_undo.cpp). Every operator event runs
    // through RunEditEvent, which makes it one step of the history, named
    // for what Undo and Redo will say ("Undo Auto Map").
    void mnuEditUndo_Click();
    void mnuEditRedo_Click();
    EditHistory &History();
    void RunEditEvent(const QString &step, const std::function<void()> &handler);
    // After New, Open and Upload, and after a save.
    void ImageReplaced();
    void ImageSaved();

    // The point overview (frmLumentorMGW_overview.cpp).
    void mnuEditOverview_Click();
    void ChoosePoint(int p);
    void mnuPortTest_Click(); // frmLumentorMGW_line.cpp

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void CreateControls();
    void CreateFrames();
    void CreateMenu();
    void SetTabOrder();
    void ConnectEvents();
    void BuildRelayGrid();
    void FillPortList();
    void MakeDefaultFolder();
    QLabel *NewRelayLabel(int i);
    ClickLabel *NewStateLabel(int i);
    QString PrepareFileDialog();
    EditHistory *history_ = nullptr;
    void ShowTransferPanel(const QString &caption);
    void CloseIfAsked();
    void CreateEditMenu();
    void CreatePortMenu();
    // frmLumentorMGW_resume.cpp
    int16_t ResumeDownload(int16_t port, modLumentorMGW::TransferPanel &panel, int16_t outcome);
    void CreateOverviewEntry();
    void CreateRecordEntry(); // View > Transfer Record, and RecordTransfer: frmLumentorMGW_record.cpp
    void RefreshOverview();
    void ShowStep(const CellStep &step);
    void AutoMapNumber(QComboBox *countList, QComboBox *startList, const QString &numberMessage);
};
