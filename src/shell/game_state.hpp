// The module Main: every global array and scalar of the game, by name. Routines take a Main& and
// operate on it; a test builds a fresh game with `Main game(host);`.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "host/arrays.hpp"
#include "host/forms.hpp"
#include "host/host.hpp"
#include "host/numbers.hpp"
#include "host/sjis.hpp"
#include "host/surface.hpp"
#include "host/text.hpp"
#include "scenario/dispatcher.hpp"

namespace zav3 {

using host::Array;
using host::Array2;
using host::Bytes;
using host::Double;
using host::Integer;
using host::Long;
using host::Single;

namespace scenario {
class ScenarioHooks;
}

// A point in space, km.
struct SpacePoint {
  Double x = 0;
  Double y = 0;
  Double z = 0;
};

// The three views of the 35-byte script record being executed.
struct ScriptRecord {
  Bytes bytes;  // all 35 bytes
  Bytes op, a1, a2, a3, a4;
};

struct Main {
  explicit Main(host::Host& host);
  ~Main();
  // Installs hooks owned by the game (replacing the tracing ones).
  void setHooks(std::unique_ptr<scenario::ScenarioHooks> hooks);
  Main(const Main&) = delete;
  Main& operator=(const Main&) = delete;

  host::Host& host;
  scenario::ScenarioHooks* hooks;  // what shows things and waits for the interpreter
  scenario::RoutineTable routines;  // the numbered special routines

  // Constants that size the arrays.
  static constexpr Integer gameVarLast = 200;
  static constexpr Integer gameFlagLast = 2000;
  static constexpr Integer shipStateLast = 10;
  static constexpr Integer personLast = 64;
  static constexpr Single entryLast = 5000;
  static constexpr Single smallTableLast = 13;

  // Text constants.
  Bytes productTag;
  Bytes versionLine;
  Bytes captionPrefix;

  // Script-visible variables.
  Array<Single> gameVar{0, gameVarLast};
  Array<Integer> gameFlag{0, gameFlagLast};
  Array<Double> shipState{0, shipStateLast};
  Array<Bytes> replyText{0, 9};
  Array<Integer> choiceMask{0, 10};

  // Scenario tables.
  Array<Long> entryTable{0, static_cast<long>(entryLast)};
  Array<Bytes> personName{0, personLast};
  Array<Integer> personVoice{0, personLast};
  Array<Integer> personTableA{0, personLast};  // remembered costume per speaker
  Array<Integer> personTableB{0, 99};          // face source per speaker
  Array<Integer> personTableC{0, personLast};  // costume flag per speaker

  // Interpreter state.
  Long programCounter = 0;
  Array<Long> returnStack{0, 10};
  Integer returnDepth = 0;
  Integer currentPicture = 0;
  Long textFrom = 0;
  Long textTo = 0;
  bool noWaitAtEnd = false;
  bool resumePending = false;
  Bytes faceSpeaker = "00";     // face default set by MA
  Bytes faceExpression = "00";  // set by HY
  Bytes faceCostume = "00";     // set by FK
  Double arithmeticOperandB = 0;  // B keeps its value from one arithmetic command to the next
  ScriptRecord record;
  Long messageRecord = 0;        // record of the message being shown, kept for saving
  Long messageTextFrom = 0;      // first text record of that message
  Bytes sceneTitle;              // the caption is captionPrefix + sceneTitle
  Single saveLocked = 0;         // 1 while the scenario forbids saving
  Integer noSaveSceneMarker = 0; // keeps saveLocked set across records
  Bytes windowTitle;  // the main window's caption

  // Typing sound state consulted by the sound-effect command.
  bool soundDeviceUsable = true;
  bool lastLineSilent = false;
  bool moviesMissing = true;

  // Folders (game paths, Shift-JIS).
  Bytes currentDrive;
  Bytes folderPath;
  Bytes programFolder;
  Bytes pictureFolder;
  Bytes cgFolder;
  Bytes faceFolder;
  Bytes dataFolder;
  Bytes textFileName;
  Bytes scriptFileName;
  Bytes workFolder;
  Bytes saveFolder;
  Bytes waveFolder;
  Bytes midiFolder;
  Bytes movieFolder;

  // Called for every script record the interpreter reads (the runner's record trace).
  std::function<void(Main&)> onRecord;
  // Start-up choices made on the command line: the working folder instead of the first-start
  // question, and the title menu's answer (-1 ask, 0 new game, 1..9 load that slot).
  Bytes workFolderChoice;
  Integer titleChoice = -1;

  // Start-up state.
  Integer initialPanelValue = 200;       // start value of textDelay
  Array<Bytes> saveTitle{0, 9};          // title line of each save slot, "-" for an empty one
  Array<Single> recordFields{0, 9};      // the nine numbers of one play record
  Long playRecordEndings = 0;            // OR of the third numbers of all play records
  Bytes clockDayText, clockHourText, clockMinuteText;  // the clock display texts
  Integer currentSong = 0;               // the selected song, 0 none
  bool musicError = false;  // a song failed to open: no song is opened again in this run
  Integer reservedSaveValue = 0;         // the reserved integer of the save layout
  // Parts brought by later subsystems; each does nothing while empty.
  std::function<void(Main&)> mediaStartupTests;   // the sound, music and movie tests
  std::function<bool(Main&, int)> loadSlot;       // restores save slot n; false when it could not

  // Vector math: sine and cosine of every whole degree (four decimals), filled when a new game
  // is built.
  Array<Single> sinTable{0, 360};
  Array<Single> cosTable{0, 360};

  // Places and travel: the place table (names 0..12, positions 0..13 in km), the work values the
  // navigation routines share, and the ship's course in whole degrees, kept for the battle.
  Array<Bytes> placeName{0, 12};
  Array<SpacePoint> placePos{0, 13};
  SpacePoint workPos;             // the work position
  Integer workTarget = 0;         // the target place of the last distance or heading
  Double lastDistance = 0;        // the last distance, whole km
  Single headingElevation = 0;    // the last heading, degrees
  Single headingAzimuth = 0;
  Integer courseElevation = 0;    // the ship's course, rounded to whole degrees
  Integer courseAzimuth = 0;
  bool combatTablesMade = false;  // the angle tables are filled by the first new game only

  // Bridge orders: the result of the last reception check (1 when a broadcast was received).
  Integer receivedFlag = 0;

  // Ship three-minute tick.
  Single targetMinute = 0;  // the minute the next tick moves the clock to (set by the travel step)
  // Closes the skip log when the tick's skip-mode countdown runs out (the message window's skip
  // log; a test may count the calls instead).
  std::function<void(Main&)> closeSkipLog;

  // --- Main form, input, option menu, list window and pictures ---
  // Controls of the main form and of FORM3, bound by name at start-up (0 until then).
  host::Handle PICTURE1 = 0, PICTURE2 = 0, PICTURE14 = 0;
  host::Handle P1 = 0, P3 = 0, P4 = 0, P5 = 0, P6 = 0, P7 = 0, P8 = 0, P15 = 0;
  host::Handle MCI1 = 0, MCI2 = 0, MCI3 = 0, TIMER1 = 0;
  host::Handle FORM3 = 0, PICTURE10 = 0, PICTURE11 = 0, PICTURE12 = 0, PICTURE13 = 0;
  host::Handle HSCROLL1 = 0, VSCROLL1 = 0, VSCROLL2 = 0, VSCROLL3 = 0, VSCROLL4 = 0;
  host::Handle EDIT1 = 0, EDIT48 = 0, COMBO1 = 0, COMBO2 = 0;
  host::Handle BUTTON7 = 0, BUTTON8 = 0, BUTTON9 = 0, BUTTON10 = 0;
  host::Handle BUTTON12 = 0, BUTTON13 = 0, BUTTON14 = 0, BUTTON15 = 0;
  // Input globals, written only by the event procedures.
  Integer inputCode = 0;     // button of the last press (1 left, 2 right), held buttons at release
  Single mouseX = 0;
  Single mouseY = 0;
  Single mouseWaiting = 0;   // -1 while the list window waits for a press
  Integer panelInput = 0;    // last strategy-panel action
  // Settings of the option menu (saved with the game).
  Integer musicOption = 0;        // 1 on
  Integer typingSoundOption = 0;  // 1 on
  Integer textDelay = 0;          // 0..900
  Integer autoAdvance = 0;        // 1: messages advance by themselves
  // Choice lines of the list window and the vertical extent of each drawn item.
  Array<Bytes> choiceText{0, 10};
  Array<Integer> choiceBoxTop{0, 10};
  Array<Integer> choiceBoxBottom{0, 10};
  // Screen origins: 0 centred list window offset, 1 face frame, 2 message frame, 4 option menu
  // button offset.
  Array<Single> frameX{0, 4};
  Array<Single> frameY{0, 4};
  // The 14 option menu buttons: rectangle relative to P8, and the hit edges derived from it.
  Array<Integer> menuButtonX{0, static_cast<long>(smallTableLast)};
  Array<Integer> menuButtonWidth{0, static_cast<long>(smallTableLast)};
  Array<Integer> menuButtonY{0, static_cast<long>(smallTableLast)};
  Array<Integer> menuButtonHeight{0, static_cast<long>(smallTableLast)};
  Array<Integer> menuButtonLeft{0, static_cast<long>(smallTableLast)};
  Array<Integer> menuButtonRight{0, static_cast<long>(smallTableLast)};
  Array<Integer> menuButtonTop{0, static_cast<long>(smallTableLast)};
  Array<Integer> menuButtonBottom{0, static_cast<long>(smallTableLast)};
  // The list window: size asked for, placement (0 standard, 1 centred), the geometry worked
  // out by its preparation, the last item and the highlighted one (-1 none), and the picked
  // item number (1-based).
  Integer listColumns = 0;
  Integer listRows = 0;
  Integer listPlacement = 0;
  Integer listLeft = 0, listTop = 0, listWidth = 0, listHeight = 0;
  Integer listLast = -1;
  Integer listHighlight = -1;
  Integer listChoice = 0;
  // Picture loader and the shutter.
  Bytes pictureName;         // next named picture, without extension
  Integer sceneLeft = 0, sceneTop = 0, sceneRight = 639, sceneBottom = 269;
  Integer preparedPicture = 0;  // event picture held in P1, 0 none
  Integer shownPicture = 0;     // event picture on PICTURE1, 0 none (scene closed)
  Bytes tempPictureFile;        // workFolder + "4TH_CG.BMP"
  Bytes bitmapSignature;        // "BM"
  // Off-screen bitmaps; an empty surface holds no picture.
  host::Surface scenePicture, panelTile, radarBitmap, gaugeBitmap, modelBitmap;
  // Text in the controls' fonts, made on first use.
  std::unique_ptr<host::TextRenderer> textRenderer;
  // Parts brought by the save data and the media; each does nothing while empty.
  std::function<void(Main&)> loadMenu;          // option menu button 1
  std::function<void(Main&)> saveMenu;          // option menu button 2
  std::function<void(Main&)> stopMusic;         // option menu button 3
  std::function<void(Main&)> startMusic;        // option menu button 4, with its loop check
  std::function<void(Main&)> musicLoopCheck;    // TIMER1_TIMER
  std::function<void(Main&)> closeMediaDevices; // MAINFORM_END: WAV1, MID_M, avideo

  // --- Message window ---
  // Where the next character goes: `lineY` pixels below the top of the text area, `column`
  // characters from its left; `linesShown` lines of the window are filled (0..lines per window).
  Integer lineY = 0;
  Integer linesShown = 0;
  Integer column = 0;
  Bytes lastSizeCode;            // size field of the previous message record
  Bytes lastFaceCode;            // face code shown in the face frame; empty after clearing
  bool typingSoundAlternate = false;  // the typing blip alternates between two sound slots
  Integer linePauseOption = 0;   // 1: a 1 s pause after every message line (routines 106, 107)
  // Font settings of the size code in force.
  Integer messageColumnWidth = 19;
  Integer messageLineHeight = 20;
  Integer messageHalfLine = 10;
  Integer linesPerWindow = 5;
  // True while the message click wait runs: Space, Enter and the wheel act as a click then.
  bool inMessageWait = false;
  bool inListWindow = false;  // the list window waits for its answer (keys move its highlight)
  // The message history (backlog): the lines shown so far, newest last, bounded; and the
  // requests of the keys and the wheel while it is open.
  struct BacklogLine {
    Integer speaker;  // 0 the narrator
    Bytes text;
    bool firstOfMessage;
  };
  std::deque<BacklogLine> backlog;
  bool backlogNewMessage = false;
  bool backlogRequested = false;
  bool inBacklog = false;
  int backlogScroll = 0;   // rows asked for: up positive
  bool backlogClose = false;
  // Sound command strings for the wave device ("PLAY WAV1 FROM a TO b", "STOP WAV1"), sent
  // only while the sound device is usable; nothing is sent while it is empty.
  std::function<void(Main&, const Bytes& command)> soundCommand;

  // --- Choice blocks ---
  // Tables of the block being run, created empty at every Q record; options count from 1.
  Integer optionCount = 0;             // n, the number of option lines
  Array<Bytes> optionLine{0, 10};      // text of option i up to the first "？"
  Array<Bytes> optionKind{0, 10};      // "L", "N", "=", "O", "J" or "+"
  Array<Integer> optionLink{0, 10};    // entry after J, option index after +
  Array<Integer> optionRoutine{0, 10}; // special routine after the first answer, 0 none
  Array<Long> firstMessageFrom{0, 10}, firstMessageTo{0, 10};    // from = 0: none
  Array<Long> repeatMessageFrom{0, 10}, repeatMessageTo{0, 10};  // from = 0: none
  Array<Integer> timesChosen{0, 10};
  // Person message table: message run for asking list k (1..3) about person p (0..64);
  // element k * 65 + p.
  Array<Long> personMessageFrom{0, 4 * 65 - 1}, personMessageTo{0, 4 * 65 - 1};
  Long headerMessageFrom = 0, headerMessageTo = 0;  // the question, from = 0: none
  // Tables that outlive a block: the three person lists (1 = person offered; A is asked about by
  // kind O options) and the count of mode-2 blocks run since the mask was last cleared.
  Array<Integer> personListA{0, personLast};
  Array<Integer> personListB{0, personLast};
  Array<Integer> personListC{0, personLast};
  Integer choiceReentryCount = 0;

  // --- Ship-mode bookkeeping and the skip log ---
  Integer saveRequested = 0;  // 1: routine 49 asked the next routine 50 to open the save list
  // The clock-running switch: 1 while the periodic timer event runs (switched on at the end of
  // start-up, off by routines 50 and 70).
  Integer clockRunning = 0;
  // The skip log could not be written: it was reported once and is given up until skip mode is
  // switched on again.
  bool skipLogFailed = false;

  // --- Space combat: tactical display and weapons ---
  // Plot model [object, point] in plot units: object 0 the player's ship and 1 the enemy (point
  // 0 the position, 1..10 the track), 2 the axis star (points 0..5), the range marks of the
  // reference point (7..9) and the reference point (10); objects 3 and 4 hold the range tips of
  // the player's and the enemy's track points.
  Array2<Single> plotX{0, 4, 0, 10}, plotY{0, 4, 0, 10}, plotZ{0, 4, 0, 10};
  // The projected points of the view and the points of the top-down radar plot.
  Array2<Single> screenX{0, 4, 0, 10}, screenY{0, 4, 0, 10};
  Array2<Single> radarX{0, 2, 0, 10}, radarY{0, 2, 0, 10};
  Double plotScale = 1;  // km per plot unit
  Double plotCentreX = 0, plotCentreY = 0, plotCentreZ = 0;
  Integer viewYaw = 0, viewPitch = 0;  // degrees
  Integer viewZoom = 10000;            // the focal length is 20000 - viewZoom
  Long viewDepth = 10000;
  Integer radarDivisor = 1;            // plot units per radar pixel
  // Display switches and the selected track point of the enemy (0..10).
  bool crossHairShown = false;
  bool rangeShown = false;
  bool trackMarksShown = true;
  Integer selectedTrackPoint = 0;
  // The last track point of each ship (0 player, 1 enemy) kept in the view by the last
  // projection: the upper bound of the track point selection.
  Array<Integer> lastTrackPoint{0, 1};
  // The track point each ship's line runs to in the view: the first one the projection found
  // outside it, or 10.
  Array<Integer> trackReach{0, 1};
  Integer rangeWeapon = 1;  // the weapon whose reach the player's range marks show (1..3)
  // Speeds of the levels 1..8 in km/s.
  Array<Double> levelSpeed{0, 8};
  // The enemy's course (whole degrees) and speed level.
  Integer enemyCourseElevation = 0, enemyCourseAzimuth = 0;
  Integer enemySpeedLevel = 1;
  // Enemy ship: distance to the player (km, whole), part names, the candidate parts of the
  // current hit direction.
  Double enemyDistance = 0;
  Array<Bytes> partName{0, 18};
  Array<Integer> hitRow{0, 9};

  // --- Space combat: battle flow, the player's shield and systems, the mission record ---
  Array<Bytes> systemName{0, 12};     // display names of the ship's systems 1..12
  Array<Long> intervalSeconds{0, 8};  // the planning intervals, seconds
  Integer intervalIndex = 3;          // the interval selected with VSCROLL4
  Integer secondsCounter = 0;         // seconds within the current game minute, in steps of 2
  // The courses in force of the player (0) and the enemy (1): the planned courses, taken over
  // when an interval begins.
  Array<Integer> movingElevation{0, 1}, movingAzimuth{0, 1};
  // Enemy behaviour: six waypoints about its starting point and the one it heads for, the
  // turns until it plans again and its plan (0 none, 1 chasing the player, 2 to a waypoint).
  Array<SpacePoint> enemyWaypoints{0, 5};
  Integer enemyWaypoint = 0;
  Integer enemyPlanTurns = 0;
  Integer enemyPlanMode = 0;
  // The line of COPYRIGHT.TXT (from 1) holding the record of the play under way, 0 while it has
  // none; a new game clears it.
  Long missionEntryLine = 0;

 private:
  std::unique_ptr<scenario::ScenarioHooks> ownHooks_;
};

}  // namespace zav3
