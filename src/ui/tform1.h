// The main window: owner of the open circuit (graph, view, undo ring) and of
// the editor's shared state. Its handlers are thin: the circuit logic lives
// in the model, files and view layers below.
#pragma once

#include <QMainWindow>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/messages.h"
#include "catalogue/node_type_info.h"
#include "files/undo_ring.h"
#include "platform/folder_claim.h"
#include "platform/user_folders.h"
#include "model/graph.h"
#include "model/point.h"
#include "netlist/netlist_host.h"
#include "ui/app_windows.h"
#include "ui/program_profile.h"
#include "view/draw_context.h"
#include "view/my_scale.h"
#include "view/view_commands.h"

class QAbstractButton;
class QAction;
class QButtonGroup;
class QDialog;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;
class QSplitter;
class QStatusBar;
class QTabBar;
class QTimer;
class QToolBar;
class QToolButton;
class QWidget;
class PaintBox;
namespace vemu::platform {
class WebDownload;
}

// The Tag of a control (its dynamic property "Tag"); 0 when it has none.
// Palette buttons and the amplifier menu items carry the type code they
// stand for; the language menu items carry 1 to 4.
int ControlTag(const QObject* control);

class TForm1 : public QMainWindow, public vemu::files::UndoHost {
  Q_OBJECT
 public:
  TForm1(AppWindows& app, const ProgramProfile& profile, const std::vector<std::string>& args,
         QWidget* parent = nullptr);
  ~TForm1() override;

  // --- state (in the order the window declares it) ---
  vemu::files::UndoRing Backup{*this};  // BackupCount, BackupStart, BackupPos, UndoRedoFlag
  std::uint8_t IgnoreMouseDown = 0;
  std::uint8_t ArrangeMode = 0;
  std::string CmdLineFile;
  std::uint8_t RedrawRequest = 0;
  std::string SubCircuitFile = "select.dag";
  std::string LastFile;
  std::int32_t GridStep = 15;
  std::int32_t AnimAngle = 0;
  std::int32_t LineWidth0 = 0;
  std::int32_t LineWidth1 = 0;
  std::int32_t LineWidth2 = 0;
  std::unique_ptr<vemu::view::TMyScale> View;
  std::string PictureName = "noname";
  vemu::catalogue::MessageList Messages;  // UTF-8, line n is message n
  vemu::catalogue::NodeTypeTable NodeTypes;  // one record per type code
  std::int32_t MouseState = 0;
  vemu::model::TheNode* DownNode = nullptr;
  vemu::model::TheNode* HoverNode = nullptr;
  vemu::model::TPoint DownPoint;
  vemu::model::TPoint MousePoint;
  std::unique_ptr<vemu::model::TheBaseOfGraf> Graph;
  std::uint8_t ListNotPacked = 0;
  std::uint8_t Modified = 0;
  std::int32_t ShadowPhase = 0;
  std::int32_t WhirlCounter = 0;
  std::int32_t CurrentType = 2;
  vemu::model::TheNode* PendingHalf = nullptr;

  // --- controls ---
  // Controls the second build does not have stay null there: GraphX1, the
  // memo items N13, N14, CIR1, N15, the level tabs (TabSet1, ToolBar_BARS
  // with TabControl2, BARS11, BARS21) and the probe buttons SpeedButton44,
  // SpeedButton45, SpeedButton46.
  QTimer* Timer1 = nullptr;
  QWidget* Panel2 = nullptr;
  QTabBar* TabSet1 = nullptr;  // level tabs above the canvas
  PaintBox* PaintBox1 = nullptr;
  QScrollBar* ScrollBar1 = nullptr;
  QScrollBar* ScrollBar2 = nullptr;
  QPlainTextEdit* Memo1 = nullptr;
  QWidget* Splitter1 = nullptr;
  QStatusBar* StatusBar1 = nullptr;
  QLabel* StatusPanels[3] = {nullptr, nullptr, nullptr};

  // Main menu (tform1_menus.cpp). Items that run an action follow it
  // (caption, hint and enabled state) the way a linked menu item does.
  QMenuBar* MainMenu1 = nullptr;
  QMenu* File1 = nullptr;
  QAction* Newcircuit1 = nullptr;  // ActNewCircuit
  QAction* LoadFile1 = nullptr;    // ActLoad
  QAction* CreateFromCir1 = nullptr;
  QAction* Save1 = nullptr;
  QAction* SaveAs1 = nullptr;      // ActSaveAs
  QAction* LastOpen1 = nullptr;
  QAction* GoBaby1 = nullptr;
  QMenu* MenuPanels = nullptr;
  QAction* FileSubMenu1 = nullptr;   // shows ToolBarNewSaveLoad
  QAction* EditSubMenu1 = nullptr;   // shows ToolBarUndo
  QAction* OptSubMenu = nullptr;     // shows ToolBarOtpMenu
  QAction* ScaelSubMenu1 = nullptr;  // shows ToolBar2
  QAction* BARS11 = nullptr;         // shows ToolBar_BARS
  QAction* BARS21 = nullptr;         // shows TabSet1
  QAction* LoadSubcircuit1 = nullptr;
  QAction* SaveSubcircuit1 = nullptr;
  QAction* Exit1 = nullptr;
  QMenu* Edit1 = nullptr;
  QAction* ConvertSelectedtoSubcircuit1 = nullptr;
  QAction* ReturntoUPlevel1 = nullptr;
  QAction* NewUnit1 = nullptr;
  QAction* NewNode1 = nullptr;
  QAction* Deleteobject1 = nullptr;
  QAction* DeleteAllLines1 = nullptr;
  QAction* ClearAllInputValues1 = nullptr;
  QAction* GroundNode1 = nullptr;
  QAction* Rename = nullptr;
  QAction* LoadSub1 = nullptr;  // paste
  QAction* SaveSub1 = nullptr;  // copy
  QMenu* Position1 = nullptr;
  QAction* SelectAll1 = nullptr;
  QAction* UnselectAll1 = nullptr;
  QAction* Centerscreen1 = nullptr;
  QAction* CenteronSelect1 = nullptr;
  QAction* Joinfeenodes1 = nullptr;
  QAction* Verticalqueue1 = nullptr;
  QAction* Horizontalqueue1 = nullptr;
  QAction* Undo1 = nullptr;
  QAction* Redo1 = nullptr;
  QAction* UpLevel1 = nullptr;    // ActUpSub
  QAction* DownLevel1 = nullptr;  // ActDownSub
  QAction* Default1 = nullptr;
  QMenu* Option1 = nullptr;
  QAction* Information1 = nullptr;      // ActionItemInfo
  QAction* Settings1 = nullptr;         // ActSettings
  QAction* SubCircuitWindow = nullptr;  // ActSubWin
  QAction* UpLevelWindow1 = nullptr;    // ActMainWin
  QAction* CreateText1 = nullptr;       // ActTextWin
  QAction* HideCross1 = nullptr;
  QAction* GraphX1 = nullptr;
  QAction* AddNewNodeType = nullptr;
  QAction* PrintScreen1 = nullptr;
  QAction* CopyToClipboard = nullptr;
  QAction* runaway1 = nullptr;  // hidden
  QMenu* About1 = nullptr;
  QAction* Russian1 = nullptr;  // Tags 1 to 4
  QAction* English1 = nullptr;
  QAction* Polland1 = nullptr;
  QAction* German1 = nullptr;
  QAction* Debug1 = nullptr;
  QAction* Info1 = nullptr;
  QAction* Registerextention1 = nullptr;
  QAction* Help1 = nullptr;  // BrowseURL1

  // ActionList1: commands shared by menu items and tool buttons.
  QAction* ActNewCircuit = nullptr;
  QAction* ActLoad = nullptr;
  QAction* ActSaveAs = nullptr;
  QAction* ActTextWin = nullptr;
  QAction* ActSettings = nullptr;
  QAction* ActSubWin = nullptr;
  QAction* ActMainWin = nullptr;
  QAction* ActUpSub = nullptr;
  QAction* ActDownSub = nullptr;
  QAction* ActionItemInfo = nullptr;
  QAction* BrowseURL1 = nullptr;
  QAction* ActScaleBig = nullptr;    // Alt+PgUp
  QAction* ActScaleSmall = nullptr;  // Alt+PgDn

  // Memo pop-up menu.
  QMenu* PopupMenu2 = nullptr;
  QAction* N13 = nullptr;  // close the memo
  QAction* N14 = nullptr;  // node tree dump
  QAction* CIR1 = nullptr; // check mark
  QAction* N15 = nullptr;  // copy
  QAction* ListAllCOmponents1 = nullptr;
  QAction* DEBUGAllunits1 = nullptr;
  QAction* DENUGHWND1 = nullptr;
  QAction* ToolBarTop1 = nullptr;  // reports ToolBarNewSaveLoad's top

  // Tool bars (tform1_toolbars.cpp).
  QToolBar* ToolBar1 = nullptr;
  QToolButton* FromCtoMButton = nullptr;
  QToolButton* RunButton = nullptr;
  QToolButton* SpeedButton1 = nullptr;
  QToolBar* ToolBarNode = nullptr;
  QLineEdit* Edit2 = nullptr;  // name of the current node
  QLineEdit* Edit3 = nullptr;  // value of the current node
  QPushButton* Button2 = nullptr;
  QToolBar* ToolBar2 = nullptr;
  QToolButton* SpeedZoomin = nullptr;   // ActScaleBig
  QToolButton* SpeedZumout = nullptr;   // ActScaleSmall
  QToolButton* SpeedButton33 = nullptr;
  QToolButton* SBUpHieracy = nullptr;
  QToolButton* SBDownHieracy = nullptr;
  QToolBar* ToolBarUndo = nullptr;
  QToolButton* SpeedButtonUndo = nullptr;
  QToolButton* SpeedButtonRedo = nullptr;
  QToolButton* SpeedButtonDelete = nullptr;
  QToolBar* ToolBarNewSaveLoad = nullptr;
  QToolButton* ToolButtonNew = nullptr;     // ActNewCircuit
  QToolButton* ToolButtonLoad = nullptr;    // ActLoad
  QToolButton* ToolButtonSaveAs = nullptr;  // ActSaveAs
  QToolBar* ToolBarOtpMenu = nullptr;
  QToolButton* SpeedButton43 = nullptr;       // ActionItemInfo
  QToolButton* ToolButtonSettings = nullptr;  // ActSettings
  QToolButton* ToolButtonSubWin = nullptr;    // ActSubWin
  QToolButton* ToolButtonMainWin = nullptr;   // ActMainWin
  QToolButton* ToolButtonTextWin = nullptr;   // ActTextWin
  QToolBar* ToolBar_BARS = nullptr;
  QTabBar* TabControl2 = nullptr;

  // Element palette (tform1_palette.cpp): one checkable button per type,
  // one down at a time; each carries its type code as Tag and its picture
  // as the dynamic property "glyph" (a QImage, null when missing).
  QWidget* Panel1 = nullptr;
  QButtonGroup* PaletteGroup = nullptr;
  std::vector<QToolButton*> PaletteButtons;  // the type buttons, in palette order
  QToolButton* SpeedButton31 = nullptr;  // text tool
  QToolButton* SpeedButton32 = nullptr;  // ground button (no type; not in the group)
  QToolButton* SpeedButton41 = nullptr;  // junction tool
  QToolButton* SpeedButton42 = nullptr;  // amplifiers; right click opens PopupMenu1
  QMenu* PopupMenu1 = nullptr;
  QAction* K1 = nullptr;  // Tag 25
  QAction* G1 = nullptr;  // Tag 26
  QAction* B1 = nullptr;  // Tag 27
  QAction* H1 = nullptr;  // Tag 28

  // For each type code the palette button that stands for it.
  std::vector<QAbstractButton*> ButtonOfType;

  const ProgramProfile& Profile() const { return profile_; }
  AppWindows& App() { return app_; }

  // --- operations ---
  void SetStatusText(int panel, const std::string& text) override;
  std::string StatusText(int panel) const;
  bool WriteCircuitFile(const std::string& fileName);
  bool ReadCircuitFile(const std::string& fileName);
  void PushUndoSnapshot() {
    NoteUnsavedEdit();
    Backup.PushUndoSnapshot();
  }
  void Undo1Click() { Backup.Undo(); }
  void Redo1Click() { Backup.Redo(); }
  void SetCurrentNode(vemu::model::TheNode* n);
  void RequestRedraw() override {
    if (profile_.hasRedrawRequest) RedrawRequest = 1;
  }
  void Timer1Timer();
  void FormKeyPress(char key);
  // The first activation opens the file named on the command line.
  void FormActivate();

  // --- element catalogue and languages (tform1_catalogue.cpp) ---
  void InitNodeTypeTable();
  // The one handler of the four language menu items; tag 1 Russian, 2 English,
  // 3 Polish, anything else German.
  void Russian1Click(int tag);
  void PatchSetupSym(bool russian);

  // --- window commands (tform1_menus.cpp) ---
  // Tool-bar toggles: each flips its item's check mark and shows its bar
  // exactly when the item is checked.
  void FileSubMenu1Click();
  void EditSubMenu1Click();
  void OptSubMenuClick();
  void ScaelSubMenu1Click();
  void BARS11Click();
  void BARS21Click();
  // Opens the settings window modally.
  void Settings1Click();
  // Clears the memo, hides it and disables it.
  void N13Click();
  // The value window for the current node; nothing without one.
  void ActionItemInfoExecute();
  // The About window, modally.
  void Info1Click();
  // The help page HELP/Help2/index.html (current folder first, then the
  // program folder) in the web browser; a failure is reported in a box.
  void BrowseURL1Execute();
  // Opens a local file in the browser; null: the desktop's browser. Tests
  // put a recorder here.
  bool (*OpenInBrowser)(const std::string& path) = nullptr;
  // Connects About, Help and the information command (tform1_about.cpp).
  void ConnectWindowCommands();

  // --- diagnostics (tform1_diagnostics.cpp, tform1_keys.cpp) ---
  // The memo's double click and N14: the node tree in the memo (also after
  // a failed redraw and from the value window's debug button).
  void Memo1DblClick();
  // The memo's listings: every window's components, the type table, the
  // window handles; the file bar's top position as one more line.
  void ListAllCOmponents1Click();
  void DEBUGAllunits1Click();
  void DENUGHWND1Click();
  void ToolBarTop1Click();
  // The memo's selected text to the clipboard.
  void N15Click();
  // The hierarchy's line repair, then the string-list check in the caption.
  void Debug1Click();
  // A press on the tool-bar area: Ctrl with the right button shows or hides
  // the memo (and, in the full program, the splitter).
  void ControlBar1MouseDown(Qt::MouseButtons buttons, Qt::KeyboardModifiers keys);
  // A point of the window (window coordinates) in the top tool-bar area.
  bool InToolBarArea(const QPoint& at) const;
  // Every key before the controls see it: F4 sizes the window, Delete
  // deletes the selection unless a text field has the focus.
  void FormKeyDown(int key, Qt::KeyboardModifiers keys);
  void ConnectDiagnosticsControls();
  // The tool-bar area offers no menu of its own: the bars are shown and
  // hidden through MenuPanels only, so the check marks stay true.
  QMenu* createPopupMenu() override { return nullptr; }

  // --- element types and the shell commands (tform1_shell.cpp) ---
  // The element-type window, modally, after its list is filled.
  void AddNewNodeTypeClick();
  // Registers ".dag" with the desktop for the running program (an error box
  // when a file cannot be written).
  void Registerextention1Click();
  // The program that registration names: empty for the running program,
  // else a program of that name in the program folder (the test driver).
  static inline std::string RegisteredProgramName;
  // Fetches the web page of SETTINGS.INI's [Form1] WebPage into it.txt of
  // the program folder; the status bar says how it went.
  void runaway1Click();
  // The running or last download (a child of the window; made at the first use).
  vemu::platform::WebDownload* PageDownload = nullptr;
  // Brings the plot program's window (titled "Telvoro") to the front.
  void GraphX1Click();
  // Window message 1025 sent to the main window / to the application's
  // client-leader window: each shows it in the caption. The hook marks the
  // message handled (true); the main window's handler passes it on.
  bool WMUserMessage(std::int32_t message, std::int32_t wParam, std::int32_t lParam);
  bool MyWindowHook(std::int32_t message, std::int32_t wParam, std::int32_t lParam);
  // Connects these commands to their menu items and installs the receiver of
  // the window messages (called once the menus exist).
  void ConnectShellControls();

  // --- canvas gestures (tform1_gestures.cpp) ---
  // The gesture of the canvas (press, drag, release); points are paint-box pixels.
  void PaintBox1MouseDown(Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers keys,
                          int x, int y);
  void PaintBox1MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers keys, int x, int y);
  void PaintBox1MouseUp(Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers keys,
                        int x, int y);
  // The nearest member of the shown level to a logical point (30 screen pixels).
  vemu::model::TheNode* NodeAt(int x, int y);
  vemu::model::TheNode* NodeAtInLevel(int x, int y, const vemu::model::TheNode* level);
  static std::int32_t Distance(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
  void MoveSelected(std::int32_t dx, std::int32_t dy);
  vemu::model::TPoint FindFreePlace(vemu::model::TPoint p1, vemu::model::TPoint p2,
                                    const vemu::model::TheNode* level);
  std::string ListSubCircuitPinNames(vemu::model::TheNode* x, vemu::model::TheNode* b);
  // The connect routines act on DownNode and HoverNode.
  void ConnectElementToNode();
  void ConnectNodeToElement();
  void ConnectControlLink();
  void ToggleWire();
  void InsertElementBetween();
  // Hooks the canvas's mouse events and the level tabs to their handlers.
  void ConnectGestureControls();
  // The level tabs (tform1_level_tabs.cpp): the owner and its sub-circuits,
  // the shown level (selected) and its sub-circuits.
  void UpdateLevelTabs();
  void TabControlBARSMouseUp(QTabBar* sender);
  // After a change of the graph that no node selection follows (an import,
  // an undo, a redo): the level tabs and an open preview window show the
  // circuit as it now is.
  void RefreshLevelWindows();
  // (end of canvas gestures)

  // --- element placement, name and value editing (tform1_placement.cpp) ---
  // Palette: chooses the type of the button's Tag and shows its texts.
  void SpeedButton3Click(QObject* sender);
  // The amplifier button: type 25 and its pop-up menu.
  void SpeedButton42Click();
  // The pop-up menu's items K1, G1, B1, H1 (Tags 25 to 28).
  void G1Click(QObject* sender);
  // The double click on the canvas and its menu twin: the value entry of the
  // node under the cursor, or a new element (a junction for type 2).
  void PaintBox1DblClick();
  void NewUnit1Click();
  // A new junction at the cursor.
  void NewNode1Click();
  // Switches the arrangement mode (Esc ends it).
  void GoBaby1Click();
  // The finishing step of every new element (pairs, text notes, amplifiers).
  void AfterCreateElement(vemu::model::TheNode* e);
  // Name and value editing (tform1_naming.cpp): "New" stores both fields by
  // the node's kind; Enter or Space in Edit3 and Enter in Edit2 store
  // without a snapshot. `key` becomes 0 when the key is swallowed.
  void Button2Click();
  void Edit3KeyPress(char& key);
  void Edit3Click();
  void Edit2KeyPress(char& key);
  void GroundNode1Click();
  void RenameClick();
  // The value entry of one node: the value window, or in the second build
  // the input box (the properties window for an amplifier).
  void EditNodeValue(vemu::model::TheNode* n);
  // Runs the value window or the properties window (a dialog) modally and
  // gives its modal result; null runs the dialog's own loop, or, without a
  // display (offscreen), counts as cancelled. Tests and the driver put a
  // runner here that fills in and closes the window.
  int (*RunModalWindow)(QWidget& dialog) = nullptr;
  // Any modal window of the program the same way (1 OK, 2 cancelled).
  int ShowModalWindow(QDialog& dialog);
  // Connects the palette, the amplifier menu, the placement and naming menu
  // items, the ground button and the node fields (called once the palette exists).
  void ConnectPlacementControls();
  // (end of element placement)

  // --- selection commands and the value window (tform1_selection.cpp) ---
  // Selected := flag for every member of the shown level.
  void SetLevelSelection(std::uint8_t flag);
  // Nodes of type t on every level.
  std::int32_t CountNodesOfType(std::uint8_t t);
  void SelectAll1Click();
  void UnselectAll1Click();
  // Deletes the selection (with its inner levels), or the current node when
  // nothing is selected; asks first when "Window On Delete" is ticked.
  void Deleteobject1Click();
  // No node is current.
  void HideCross1Click();
  // Lines the selection up in one column / one row.
  void Verticalqueue1Click();
  void Horizontalqueue1Click();
  // Empties the values of the elements that receive results.
  void ClearAllInputValues1Click();
  // Removes the current node's own links (its membership links stay).
  void DeleteAllLines1Click();
  // Connects the selection commands' menu items and the delete button;
  // called once the menus and tool bars exist.
  void ConnectSelectionControls();
  // (end of selection commands)

  // --- sub-circuit hierarchy (tform1_hierarchy.cpp) ---
  // Step down into the current container / up to the owner level.
  void SBDownHieracyClick();
  void SBUpHieracyClick();
  // The current container / the owner of the shown level in the preview window.
  void SubCircuitWindowClick();
  void UpLevelWindow1Click();
  // Moves the selection where the move-to dialog says (a new sub-circuit,
  // the owner level or a container of the shown level).
  void ConvertSelectedtoSubcircuit1Click();
  // Moves the selection into the owner level.
  void ReturntoUPlevel1Click();
  // Keeps selected only the junctions named like the first selected one.
  void Joinfeenodes1Click();
  void MoveSelectedFromTo(vemu::model::TheNode* from, vemu::model::TheNode* to);
  // The repair pass over owners, coincident junctions and pins (with an undo snapshot).
  void CorrectSubCircuitLines();
  // Makes node current, centres on it, redraws, then shows the message box.
  void GO(vemu::model::TheNode* node, const std::string& text, const std::string& caption);
  // The nudge of coincident elements draws from here.
  std::uint32_t HierarchyRandomState = 1;
  class HierarchyWindowHost;
  // Connects the hierarchy commands to their actions, items and buttons.
  void ConnectHierarchyControls();
  // (end of sub-circuit hierarchy)

  // --- netlist builder (tform1_netlist.cpp) ---
  // Builds the netlist of the circuit into `memo` (every caller passes
  // TForm6::Memo1); says whether the user stopped the build.
  vemu::netlist::BuildEnd BuildNetlist(QPlainTextEdit* memo);
  // "Create text file" (tform1_analysis.cpp): the netlist into the text
  // window, then the run when one press is to do both. A build the user
  // stopped leaves Run disabled and starts no run.
  void FromCtoMButtonClick();
  // Which nodes get a netlist line (StoreInCir).
  void SetStoreInCirFlag();
  // Renames every junction to its net number; sorts the nodes and links by name.
  void NumberNets();
  void SortByName();
  // Appends `count` columns " %2s" of the targets of the node's links of `kinds`.
  void AppendLinkNodes(std::string& text, int count, vemu::model::TheNode* node,
                       const vemu::model::KindSet& kinds);
  // The pins of a sub-circuit element: a blank and the net of each output link.
  std::string SubCircuitPinList(vemu::model::TheNode* node);
  // A netlist problem shown on the element; true when the user chose to stop.
  bool AskNetlistProblem(vemu::model::TheNode* element, const std::string& text,
                         const std::string& caption);
  // Asks for a missing value; true when the user cancelled.
  bool AskElementValue(vemu::model::TheNode* element, const std::string& caption,
                       const std::string& prompt);
  // Shows the node's level and moves the view so that the node lies in sight
  // (tform1_view.cpp).
  void CenterOnNode(vemu::model::TheNode* node);
  // The save dialog's file name (UTF-8 path); the netlist's title is its file part.
  std::string SaveDialogFileName = "noname.dag";
  // (end of netlist builder)

  // --- analysis runs, results and the text window (tform1_analysis.cpp) ---
  // Saves the netlist as "cir", runs the analysis of the chosen computation
  // type and loads its results.
  void RunButtonClick();
  // Loads the result files "out" and "clc" and writes the results into the circuit.
  void SpeedButton1Click();
  // Starts a program of the program folder with its parameter (none when
  // empty) and waits for it; true when it was started. RunCancelled is 1
  // when the user cancelled the wait. Shown (kShowNormal), the program runs
  // in a console window of its own; hidden, its output is not shown.
  bool RunAndWait(const std::string& program, const std::string& parameter, int showState);
  std::uint8_t RunCancelled = 0;
  // Appends a text file to the text window's memo (the not-found line when missing).
  void LoadFileIntoLog(const std::string& path);
  // Netlist, run and results in one go.
  void Computeall1Click();
  // Show the text window; MeMoEditClick also enables the analysis buttons.
  void CreateText1Click();
  void MeMoEditClick();
  // Shows "cir" of the program folder in the text window.
  void CirEditBottonClick();
  // The work of one stage of the text window's tool bar, by the button's Tag.
  bool TextWindowStage(int tag);
  // Connects the analysis tool buttons and the text window's action
  // (tform1_analysis_wiring.cpp); called when the tool bars are made.
  void ConnectAnalysisControls();
  // (end of analysis runs)

  // --- drawing (tform1_drawing.cpp) ---
  // The back buffer: an owned RGB32 picture of the paint box's size, white
  // after every redraw; a null image when it could not be made, and then
  // nothing is drawn into it.
  QImage BackBuffer;
  std::int32_t BackBufferWidth = 0;
  std::int32_t BackBufferHeight = 0;
  // IMAGES/OpenBox3.bmp; a null image when the file is missing.
  QImage OpenBoxBitmap;
  // The source of the rubber-band dust and the sparkles of the drawing.
  vemu::view::DrawRandom DrawRandomSource;
  // Makes a new back buffer of the given size (zero-filled).
  void CreateBackBuffer(int width, int height);
  // The window's resize handler: remakes the back buffer once it exists and
  // lets the view's window follow the paint box.
  void FormResize();
  // Paints the shown level into `bitmap` and has `destination` show it.
  // Feedback: the gesture feedback and the arrangement mode (the main
  // window's own paint); the preview window passes false. Grid: false
  // leaves the grid out whatever the settings say (the clipboard copy).
  void DrawAll(QImage& bitmap, QWidget* destination, bool feedback, bool grid = true);
  // The same redraw onto any canvas (tests and the test driver record it).
  void DrawAllOn(vemu::platform::Canvas& canvas, QWidget* destination, bool feedback, bool grid = true);
  // A redraw failed: the timer stops and the diagnostic memo shows the node tree.
  void RedrawFailed();
  // Reads IMAGES/OpenBox3.bmp into OpenBoxBitmap; false when it is missing.
  bool LoadOpenBoxBitmap(const std::string& path);
  // The values the painters read, as the window holds them now.
  vemu::view::DrawContext MakeDrawContext(vemu::platform::Canvas& canvas);
  // (end of drawing)

  // --- view commands (tform1_view.cpp) ---
  // Recomputes the view's items box from the shown level.
  void ComputeItemsRect();
  // Recomputes the view's window and extent and both scroll bars.
  void UpdateScrollBars();
  // v moved onto the grid lattice GridStep div 2 + k * GridStep.
  std::int32_t SnapToGrid(std::int32_t v) const;
  // New scale about the window centre, with the status text and the bars.
  void SetZoom(double value);
  // Zoom in and out by one step ("+", "-", ActScaleBig, ActScaleSmall).
  void SpeedZoominClick();
  void SpeedZumoutClick();
  // Scale 1.0 with logical (0, 0) at the paint box's top-left corner.
  void Default1Click();
  // The point last under the mouse comes to the centre.
  void Centerscreen1Click();
  // Centres the view on the current node.
  void CenteronSelect1Click();
  // The scroll event of either bar; `moved` is the bar the user moved (its
  // slider gives its new position), null when the numbers are set already.
  void ScrollBar1Scroll(QScrollBar* moved = nullptr);
  // The picture as a JPEG file in the program folder, under a name asked for.
  void PrintScreen1Click();
  // The picture without grid, mouse mark or gesture feedback on the clipboard.
  void CopyToClipboardClick();
  // The paint box shows the back buffer as it stands.
  void PaintBox1Paint();
  // What the view commands reach of the window.
  class ViewCommandsHost final : public vemu::view::ViewHost {
   public:
    explicit ViewCommandsHost(TForm1& form) : form_(form) {}
    vemu::view::TMyScale& View() override;
    vemu::view::TRect PaintBoxRect() const override;
    const vemu::model::TheNode* ShownLevel() const override;
    vemu::view::ScrollRule Rule() const override;
    void SetStatusText(int panel, const std::string& text) override;
    void ShowScrollBars(const vemu::view::ScrollBarState& horizontal,
                        const vemu::view::ScrollBarState& vertical) override;
    void Redraw() override;

   private:
    TForm1& form_;
  };
  ViewCommandsHost ViewHostOfForm{*this};
  // The view commands with their own state, both scroll bars' numbers.
  vemu::view::ViewCommands ViewCmds{ViewHostOfForm};
  // Connects the view commands to their actions, items, buttons and the
  // scroll bars (called once the menus exist).
  void ConnectViewControls();
  // (end of view commands)

  // --- start-up, SETTINGS.INI and closing (tform1_lifecycle.cpp) ---
  // The open dialog's file name and the folder both file dialogs start in
  // (UTF-8 paths); the save dialog's name is SaveDialogFileName.
  std::string OpenDialogFileName;
  std::string DialogInitialFolder;
  // SETTINGS.INI: the per-user copy when there is one, else the program
  // folder's; written to the per-user copy when there is one or the
  // program folder takes no files.
  static std::string SettingsFileName();
  static std::string SettingsFileToWrite();
  // Off in the test driver, whose program folders are its read-only inputs.
  static inline bool WritesSettingsFile = true;
  // Applies SETTINGS.INI to the window: placement, tool bars, menu checks,
  // LastFile (tform1_settings_ini.cpp).
  void LoadIni();
  // Writes this program's keys of SETTINGS.INI; the file's other keys stay.
  void SaveInit();
  // The tool bars' places in the tool-bar area (left, top) and back.
  void PlaceToolBars(const std::vector<QToolBar*>& bars, const std::vector<std::pair<int, int>>& places);
  std::pair<int, int> ToolBarPlace(const QToolBar* bar) const;
  // Keeps the places of the bars Qt shows now, for SaveInit after the window is hidden.
  void RememberToolBarPlaces();
  // File > Exit: asks about unsaved work, shows the view's state, closes.
  void Exit1Click();
  // The close box and Exit1Click share this test; false keeps the window open.
  bool CanCloseMainWindow();
  // Ends the program as Exit does once its question is answered, asking
  // nothing: the program is being ended from outside (a signal).
  void EndWithoutQuestion();
  // (end of start-up)

  // --- file commands, sub-circuit file and clipboard file (tform1_files.cpp) ---
  // Before a command that replaces or ends the open circuit: asks whether to
  // save work that is in no file. False when the command must not go on.
  bool ConfirmDiscardUnsaved();
  // File menu: New, Load, Save, Save as, Last file.
  void Newcircuit1Click();
  void LoadFile1Click();
  void Save1Click();
  void SaveAs1Click();
  void LastOpen1Click();
  // The selected members of the shown level as a sub-circuit file.
  bool SaveSubcircuit(const std::string& fileName);
  // Adds a sub-circuit file to the shown level (nothing when it is damaged).
  bool LoadSSFile(const std::string& fileName);
  // The selected members of the shown level.
  int CountSelected();
  // Save and load a sub-circuit file; copy and paste through copy.txt.
  void SaveSubcircuit1Click();
  void LoadSubcircuit1Click();
  void SaveSub1Click();
  void LoadSub1Click();
  // The one place that forgets every node pointer the windows hold (current
  // node, DownNode, HoverNode, PendingHalf, the preview's node, the level
  // tabs, the value window's node): called before nodes are freed or the graph is replaced.
  void ForgetNodePointers();
  // Work that is in no file: set by every editing step (the undo snapshot
  // call, an undo or redo read, paste); cleared by a load or a save. An edit
  // that takes no snapshot calls NoteUnsavedEdit.
  bool UnsavedEdits = false;
  void NoteUnsavedEdit() { UnsavedEdits = true; }
  // The save dialog's name is the circuit's own file (loaded or saved as);
  // until then Save asks for a name, also when the settings preset one.
  bool HasOwnFile = false;
  // The filters chosen last in the open and save dialogs (1 circuits, 2 netlists, 3 all).
  int OpenDialogFilterIndex = 1;
  int SaveDialogFilterIndex = 1;
  // Connects the commands to their menu items and actions (the tool
  // buttons follow the actions); called once the menus exist.
  void ConnectFileControls();
  // New without its question (the netlist import asks its own).
  void StartNewCircuit();
  void OpenCommandLineFile(const std::string& path);
  // (end of file commands)

  // --- netlist import (tform1_import.cpp) ---
  // File menu "CreateCircuitFromCir": a netlist file becomes a new circuit.
  void CreateFromCir1Click();
  // The second build's own import (tform1_import_second.cpp).
  void SecondBuildCreateFromCir1Click();
  // Reads the netlist file into the text window and a new circuit and builds it.
  void OpenNetlistAndBuild(const std::string& fileName);
  // Parses the text window into the shown level; mode 0 as created, 1 on a circle, 2 at random.
  void BuildFromNetlist(int mode);
  void ConnectImportControls();

  // UndoHost
  bool WriteSnapshot(const std::string& path) override { return WriteCircuitFile(path); }
  bool ReadSnapshot(const std::string& path) override;  // tform1_files.cpp
  void SetModified() override { Modified = 1; }
  void SetCaption(const std::string& text) override;
  void UpdateUndoEnables(bool canUndo, bool canRedo) override;

  // The snapshot folder this editor claimed for the run (tform1_folders.cpp)
  // and what was said about folders that take no files, in status panel 2.
  std::unique_ptr<vemu::platform::FolderClaim> SnapshotClaim;
  std::vector<std::string> FolderNotices;
  void ShowFolderNotice(const std::string& text);
  // This editor's private folder for the run; empty when it has none.
  std::string PrivateFolder() const;

 protected:
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormCreate();
  void FormDestroy();
  void ChooseWriteFolders();
  void ReleaseSnapshotFolder();
  std::unique_ptr<vemu::platform::ScopedFolderNotices> folderNotices_;
  bool endingWithoutQuestion_ = false;
  void CreateControls();
  void CreateActions();
  void CreateMenus();
  void CreateMemoMenu();
  void CreateToolBars();
  void CreatePalette();
  // Step 8 of the creation: the button of every type code.
  void FillButtonOfType();

  AppWindows& app_;
  ProgramProfile profile_;
};
