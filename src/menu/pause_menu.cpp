#include "menu/pause_menu.h"

#include <SDL2/SDL.h>

#include <array>
#include <cctype>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <utility>

#include "input/key_bindings.h"
#include "input/key_commands.h"
#include "menu/circuit_page.h"
#include "menu/menu_item.h"
#include "menu/player_settings.h"
#include "race/race.h"
#include "saves/player_name.h"
#include "session/ghost.h"
#include "session/race_commands.h"
#include "session/replay_watch.h"
#include "session/season.h"
#include "track/track.h"
#include "world/world_fetch.h"

namespace {
enum class Page { Top, Settings, Keys, Circuit };
enum class TypedSetting { None, Board, Player };

struct MenuState {
    bool open = false;
    Page page = Page::Top;
    std::array<int, 4> chosen{};
    uint32_t circuit = 0;       // the circuit the Circuit line offers
    uint32_t championship = 0;  // the championship its line offers
    std::string typed;          // digits typed on the Circuit line
    int waitingFor = -1;        // the action whose key is awaited, or -1
    std::string note;
    TypedSetting typing = TypedSetting::None;  // the line being typed on
    std::string typedText;                     // what is typed there so far
};

MenuState gMenu;

using Item = MenuItem;

const char* onOff(bool on) {
    return on ? "on" : "off";
}

constexpr uint32_t LAST_CIRCUIT = 4294967295u;

std::string circuitValue() {
    if (!gMenu.typed.empty()) {
        return gMenu.typed + "_";
    }
    const std::string goal = medalGoalText(gMenu.circuit);
    return circuitName(gMenu.circuit) + (goal.empty() ? "" : " - " + goal);
}

void goTo(Page page);

// A number typed is raced at once, as the mode chosen; otherwise Enter opens
// the circuit's own page.
void selectTheCircuit() {
    if (!gMenu.typed.empty()) {
        const unsigned long long typed = std::stoull(gMenu.typed);
        gMenu.circuit = static_cast<uint32_t>(typed);
        gMenu.typed.clear();
        leaveChampionship();
        raceCircuit(gMenu.circuit);
        return;
    }
    goTo(Page::Circuit);
    openCircuitPage(gMenu.circuit);
}

void changeSetting(const std::function<void(Settings&)>& change) {
    Settings settings = playerSettings();
    change(settings);
    changePlayerSettings(settings);
}

int stepVolume(int volume, int step) {
    const int next = volume + 10 * step;
    return next < 0 ? 0 : next > 100 ? 100 : next;
}

// Select on a volume goes up a step, and from the top back to silence.
int raiseVolumeRound(int volume) {
    return volume >= 100 ? 0 : stepVolume(volume, 1);
}

template <typename Enum>
Enum cycle(Enum value, int step, int count) {
    return static_cast<Enum>((static_cast<int>(value) + step + count) % count);
}

const char* screenName(ScreenSetting screen) {
    switch (screen) {
        case ScreenSetting::Window:
            return "window";
        case ScreenSetting::Desktop:
            return "desktop";
        default:
            return "full screen";
    }
}

const char* hudSizeName(HudSize size) {
    switch (size) {
        case HudSize::Large:
            return "large";
        case HudSize::Huge:
            return "huge";
        default:
            return "normal";
    }
}

// The next resolution scale offered, down from 100 % and round again.
int stepResolutionScale(int percent, int step) {
    constexpr int COUNT = static_cast<int>(std::size(RESOLUTION_SCALE_PERCENTS));
    int at = 0;
    while (at < COUNT && RESOLUTION_SCALE_PERCENTS[at] != percent) {
        ++at;
    }
    // Right makes the picture sharper, left cheaper.
    const int next = ((at % COUNT) - step % COUNT + COUNT) % COUNT;
    return RESOLUTION_SCALE_PERCENTS[next];
}

// Into a page from its first line; back up to a page on the line it was left on.
void goTo(Page page) {
    gMenu.page = page;
    gMenu.chosen[static_cast<int>(page)] = 0;
    gMenu.note.clear();
}

void goBackTo(Page page) {
    gMenu.page = page;
    gMenu.note.clear();
}

// The championship line: its number, and the best finish in it at the
// difficulty chosen.
std::string championshipValue() {
    std::string value = std::to_string(gMenu.championship);
    if (const std::optional<ChampionshipBest> best =
            bestChampionshipResult(gMenu.championship, chosenDifficulty())) {
        value += std::string(" - best ") + placeName(best->place);
    }
    return value;
}

// "Go on" with a season left half-way, when it is not the one raced now.
void addGoOn(std::vector<Item>& items) {
    const std::optional<Season> kept = keptChampionship();
    if (!kept || seasonNow() != nullptr) {
        return;
    }
    items.insert(items.end() - 1,
                 Item(
                     "Go on",
                     "championship " + std::to_string(kept->number) + ", race " +
                         std::to_string(kept->racesRun + 1) + " of " +
                         std::to_string(SEASON_RACES) + ", " + difficultyName(kept->difficulty),
                     [] { goOnWithKeptChampionship(); }, nullptr));
}

// With a board chosen, the circuit its players race today, as a time trial.
void addCircuitOfTheDay(std::vector<Item>& items) {
    const std::optional<uint32_t> today = circuitOfTheDayNow();
    if (!today || playerSettings().board.empty()) {
        return;
    }
    const uint32_t circuit = *today;
    items.insert(items.begin() + 3, Item(
                                        "Circuit of the day", circuitName(circuit),
                                        [circuit] {
                                            gMenu.circuit = circuit;
                                            chooseRaceMode(RaceMode::TimeTrial);
                                            flyThePilotsGhost(false);
                                            raceCircuit(circuit);
                                        },
                                        nullptr));
}

std::vector<Item> topItems() {
    std::vector<Item> items = {
        {"Resume", "", [] { togglePause(); }, nullptr},
        {"Race again", "", [] { raceAgain(); }, nullptr},
        {"Circuit", circuitValue(), selectTheCircuit,
         [](int step) {
             gMenu.typed.clear();
             gMenu.circuit += static_cast<uint32_t>(step);  // wraps round the whole range
         }},
        {"Ghost", hasGhost() ? onOff(ghostShows()) : std::string("none yet"), [] { toggleGhost(); },
         [](int) { toggleGhost(); }},
        {"Settings", "", [] { goTo(Page::Settings); }, nullptr},
        {"Championship", championshipValue(), [] { startChampionship(gMenu.championship); },
         [](int step) { gMenu.championship += static_cast<uint32_t>(step); }},
        {"Quit", "", [] { gQuitRequested = 1; }, nullptr},
    };
    addCircuitOfTheDay(items);
    addGoOn(items);
    return items;
}

// The opponents of the next race on; a run's --difficulty gives way to it.
void changeDifficulty(int step) {
    const Difficulty next = cycle(chosenDifficulty(), step, DIFFICULTY_COUNT);
    changeSetting([next](Settings& t) { t.difficulty = next; });
    chooseDifficulty(next);
}

// What a typed line shows: the text so far while it is typed on.
std::string typedValue(TypedSetting setting, const std::string& kept, const char* unset) {
    if (gMenu.typing == setting) {
        return gMenu.typedText + "_";
    }
    return kept.empty() ? unset : kept;
}

void startTyping(TypedSetting setting) {
    gMenu.typing = setting;
    gMenu.typedText =
        setting == TypedSetting::Board ? playerSettings().board : playerSettings().player;
    gMenu.note = setting == TypedSetting::Board
                     ? "Type the board's address - Enter keep - Esc cancel"
                     : "Type your name on the board - Enter keep - Esc cancel";
    SDL_StartTextInput();
}

void stopTyping() {
    gMenu.typing = TypedSetting::None;
    gMenu.typedText.clear();
    SDL_StopTextInput();
}

// Enter: the text typed is kept when it is one the setting can be (empty
// clears it); otherwise why not, and the setting stays as it was.
void keepTyped() {
    const std::string typed = gMenu.typedText;
    if (gMenu.typing == TypedSetting::Board) {
        if (!typed.empty() && !isBoardAddress(typed)) {
            gMenu.note = "A board's address is http:// or https://, with no spaces";
            return;
        }
        changeSetting([typed](Settings& t) { t.board = typed; });
    } else {
        if (!typed.empty() && !isPlayerName(typed)) {
            gMenu.note = "A name is 1 to 24 letters, digits, - _ . or spaces inside";
            return;
        }
        changeSetting([typed](Settings& t) { t.player = typed; });
    }
    stopTyping();
    gMenu.note.clear();
}

// Longer than any address or name the settings keep, so a paste cut short
// is refused rather than kept cut.
constexpr size_t TYPED_TEXT_MAX = 201;

// Left and Right on the board: none, the one typed, and the one given in
// ZENTRIX_BOARD, round again.
void changeBoard(int step) {
    std::vector<std::string> offered = {""};
    const std::string now = playerSettings().board;
    if (!now.empty()) {
        offered.push_back(now);
    }
    const char* given = std::getenv("ZENTRIX_BOARD");
    if (given != nullptr && isBoardAddress(given) && now != given) {
        offered.push_back(given);
    }
    size_t at = 0;
    while (offered[at] != now) {
        ++at;
    }
    const int count = static_cast<int>(offered.size());
    const std::string next = offered[(static_cast<int>(at) + step % count + count) % count];
    changeSetting([next](Settings& t) { t.board = next; });
}

std::vector<Item> settingsItems() {
    const Settings& s = playerSettings();
    return {
        {"Music volume", std::to_string(s.musicVolume),
         [] {
             changeSetting([](Settings& t) { t.musicVolume = raiseVolumeRound(t.musicVolume); });
         },
         [](int step) {
             changeSetting(
                 [step](Settings& t) { t.musicVolume = stepVolume(t.musicVolume, step); });
         }},
        {"Effects volume", std::to_string(s.effectsVolume),
         [] {
             changeSetting(
                 [](Settings& t) { t.effectsVolume = raiseVolumeRound(t.effectsVolume); });
         },
         [](int step) {
             changeSetting(
                 [step](Settings& t) { t.effectsVolume = stepVolume(t.effectsVolume, step); });
         }},
        {"Screen", screenName(s.screen),
         [] { changeSetting([](Settings& t) { t.screen = cycle(t.screen, 1, 3); }); },
         [](int step) {
             changeSetting([step](Settings& t) { t.screen = cycle(t.screen, step, 3); });
         }},
        {"HUD size", hudSizeName(s.hudSize),
         [] { changeSetting([](Settings& t) { t.hudSize = cycle(t.hudSize, 1, 3); }); },
         [](int step) {
             changeSetting([step](Settings& t) { t.hudSize = cycle(t.hudSize, step, 3); });
         }},
        {"Resolution", std::to_string(storableResolutionScale(s.resolutionScale)) + " %",
         [] {
             changeSetting([](Settings& t) {
                 t.resolutionScale = stepResolutionScale(t.resolutionScale, -1);
             });
         },
         [](int step) {
             changeSetting([step](Settings& t) {
                 t.resolutionScale = stepResolutionScale(t.resolutionScale, step);
             });
         }},
        {"Frame rate", onOff(s.showFrameRate),
         [] { changeSetting([](Settings& t) { t.showFrameRate = !t.showFrameRate; }); },
         [](int) { changeSetting([](Settings& t) { t.showFrameRate = !t.showFrameRate; }); }},
        {"Difficulty", difficultyName(chosenDifficulty()), [] { changeDifficulty(1); },
         [](int step) { changeDifficulty(step); }},
        {"Board", typedValue(TypedSetting::Board, s.board, "none"),
         [] { startTyping(TypedSetting::Board); }, [](int step) { changeBoard(step); }},
        {"Player", typedValue(TypedSetting::Player, s.player, "none"),
         [] { startTyping(TypedSetting::Player); }, nullptr},
        {"Keys", "", [] { goTo(Page::Keys); }, nullptr},
        {"Back", "", [] { goBackTo(Page::Top); }, nullptr},
    };
}

void saveKeys() {
    changeSetting([](Settings& t) { storeKeySettings(t); });
}

std::vector<Item> keyItems() {
    std::vector<Item> items;
    for (int i = 0; i < ACTION_COUNT; ++i) {
        const Action action = static_cast<Action>(i);
        items.push_back({actionLabel(action), keyLabel(action),
                         [i] {
                             gMenu.waitingFor = i;
                             gMenu.note = "Press the new key or pad button";
                         },
                         nullptr, padButtonLabel(action)});
    }
    items.push_back({"Reset keys", "",
                     [] {
                         resetKeyBindings();
                         saveKeys();
                         gMenu.note = "The keys are as they first were";
                     },
                     nullptr});
    items.push_back({"Back", "", [] { goBackTo(Page::Settings); }, nullptr});
    return items;
}

std::vector<Item> itemsOf(Page page) {
    switch (page) {
        case Page::Settings:
            return settingsItems();
        case Page::Keys:
            return keyItems();
        case Page::Circuit:
            return circuitPageItems(gMenu.circuit, [] { goBackTo(Page::Top); });
        default:
            return topItems();
    }
}

std::string titleOf(Page page) {
    switch (page) {
        case Page::Settings:
            return "SETTINGS";
        case Page::Keys:
            return "KEYS";
        case Page::Circuit: {
            std::string title = circuitName(gMenu.circuit);  // "CIRCUIT 7"
            for (char& c : title) {
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            }
            return title;
        }
        default:
            return "PAUSED";
    }
}

int& chosenLine() {
    return gMenu.chosen[static_cast<int>(gMenu.page)];
}

// A new pause opens the menu afresh.
void followThePause() {
    const bool shows = raceIsPaused() && !watchingReplay();
    if (!shows && gMenu.typing != TypedSetting::None) {
        stopTyping();  // the menu went away under the typing
    }
    if (shows && !gMenu.open) {
        gMenu = MenuState();
        gMenu.open = true;
        gMenu.circuit = gTrack.circuitNumber();
        gMenu.championship = seasonNow() != nullptr ? seasonNow()->number : 0;
    }
    gMenu.open = shows;
}

void bound(bool taken, const std::string& refusal, Action action, const std::string& now) {
    gMenu.waitingFor = -1;
    if (!taken) {
        gMenu.note = refusal;
        return;
    }
    saveKeys();
    gMenu.note = std::string(actionLabel(action)) + " is now " + now;
}
}  // namespace

bool pauseMenuShows() {
    followThePause();
    return gMenu.open;
}

MenuPanel pauseMenuView() {
    followThePause();
    MenuPanel view;
    view.title = titleOf(gMenu.page);
    if (gMenu.page == Page::Keys) {
        view.valueHeading = "Key";
        view.secondHeading = "Gamepad";
    }
    for (const Item& item : itemsOf(gMenu.page)) {
        view.lines.push_back({item.label, item.value, item.second});
    }
    view.chosen = chosenLine();
    view.note = gMenu.note;
    view.hint = gMenu.typing != TypedSetting::None ? "Enter keep - Backspace erase - Esc cancel"
                : gMenu.page == Page::Top          ? "Enter select - Left Right circuit - Esc quit"
                : gMenu.page == Page::Keys         ? "Enter then the new key - Esc back"
                : gMenu.page == Page::Circuit      ? "Enter select - Esc back"
                                                   : "Enter select - Left Right change - Esc back";
    return view;
}

namespace {
// While a line is typed on: Enter keeps it, Esc leaves it as it was, Backspace
// takes back a character; the other commands wait until it is done.
bool typingCommand(MenuCommand command) {
    switch (command) {
        case MenuCommand::Select:
            keepTyped();
            break;
        case MenuCommand::Back:
            stopTyping();
            gMenu.note.clear();
            break;
        case MenuCommand::Erase:
            if (!gMenu.typedText.empty()) {
                gMenu.typedText.pop_back();
            }
            break;
        default:
            break;
    }
    return true;
}
}  // namespace

bool pauseMenuTypes() {
    return pauseMenuShows() && gMenu.typing != TypedSetting::None;
}

void pauseMenuText(const std::string& text) {
    if (!pauseMenuTypes()) {
        return;
    }
    // Printable ASCII only: the overlay font draws nothing else, and no
    // address or name the settings keep has anything else in it.
    for (const char c : text) {
        if (c >= ' ' && c <= '~' && gMenu.typedText.size() < TYPED_TEXT_MAX) {
            gMenu.typedText += c;
        }
    }
}

bool pauseMenuCommand(MenuCommand command) {
    if (!pauseMenuShows() || gMenu.waitingFor >= 0) {
        return false;
    }
    if (gMenu.typing != TypedSetting::None) {
        return typingCommand(command);
    }
    const std::vector<Item> items = itemsOf(gMenu.page);
    int& chosen = chosenLine();
    const int count = static_cast<int>(items.size());
    switch (command) {
        case MenuCommand::Up:
            chosen = (chosen + count - 1) % count;
            return true;
        case MenuCommand::Down:
            chosen = (chosen + 1) % count;
            return true;
        case MenuCommand::Left:
        case MenuCommand::Right:
            if (items[chosen].change) {
                items[chosen].change(command == MenuCommand::Left ? -1 : 1);
            }
            return true;
        case MenuCommand::Select:
            items[chosen].select();
            return true;
        case MenuCommand::Erase:
            if (!gMenu.typed.empty()) {
                gMenu.typed.pop_back();
                return true;
            }
            [[fallthrough]];
        case MenuCommand::Back:
            // Esc ends a typed number first, as it ends a key being bound.
            if (!gMenu.typed.empty()) {
                gMenu.typed.clear();
                return true;
            }
            if (gMenu.page == Page::Top) {
                return command == MenuCommand::Erase;  // Esc quits from the top
            }
            goBackTo(gMenu.page == Page::Keys ? Page::Settings : Page::Top);
            return true;
    }
    return false;
}

bool pauseMenuDigit(int digit) {
    if (!pauseMenuShows() || gMenu.page != Page::Top || digit < 0 || digit > 9) {
        return false;
    }
    chosenLine() = 2;  // the Circuit line
    const std::string typed =
        gMenu.typed == "0" ? std::to_string(digit) : gMenu.typed + static_cast<char>('0' + digit);
    if (typed.size() <= 10 && std::stoull(typed) <= LAST_CIRCUIT) {
        gMenu.typed = typed;
    }
    return true;
}

void pauseMenuPoint(int line) {
    if (pauseMenuShows() && gMenu.waitingFor < 0 && line >= 0 &&
        line < static_cast<int>(itemsOf(gMenu.page).size())) {
        chosenLine() = line;
    }
}

bool pauseMenuWaitsForKey() {
    return pauseMenuShows() && gMenu.waitingFor >= 0;
}

void pauseMenuKeyPressed(int32_t sdlKeycode) {
    if (!pauseMenuWaitsForKey()) {
        return;
    }
    const Action action = static_cast<Action>(gMenu.waitingFor);
    if (sdlKeycode == SDLK_ESCAPE) {
        gMenu.waitingFor = -1;
        gMenu.note.clear();
        return;
    }
    std::string refusal;
    const bool taken = bindKey(action, sdlKeycode, refusal);
    bound(taken, refusal, action, keyLabel(action));
}

void pauseMenuPadButtonPressed(int button) {
    if (!pauseMenuWaitsForKey()) {
        return;
    }
    const Action action = static_cast<Action>(gMenu.waitingFor);
    std::string refusal;
    const bool taken =
        bindPadButton(action, static_cast<SDL_GameControllerButton>(button), refusal);
    bound(taken, refusal, action, "pad " + padButtonLabel(action));
}
