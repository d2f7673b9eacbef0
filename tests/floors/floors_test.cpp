// The house's floors, read from every #include under src/. The order is the
// game's layering, written once here and in the README's layout section.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Lowest first. A room includes its own files and rooms on the floors below;
// rooms that share a floor stay apart.
const std::vector<std::vector<std::string>> FLOORS = {
    {"math", "trace"},
    {"assets", "saves", "track"},
    {"images", "models", "audio", "world"},
    {"craft"},
    {"race"},
    {"hud"},
    {"render"},
    {"session"},
    {"input"},
    {"screen"},
    {"menu"},
    {"shell", "board"},
};

// Only these rooms speak to SDL, OpenAL, libsndfile, fontconfig or FreeType.
const std::set<std::string> PLATFORM_ROOMS = {"audio", "input", "screen", "menu", "shell"};
const std::vector<std::string> PLATFORM_HEADERS = {"SDL2/",       "AL/",      "sndfile",
                                                   "fontconfig/", "ft2build", "freetype"};
// The race's rules and what is kept on disk draw nothing.
const std::set<std::string> GL_FREE_ROOMS = {"math", "assets", "saves", "track", "craft", "race"};

// A file under src/: "race/race.cpp" and its text.
using SourceTree = std::map<std::string, std::string>;

std::string roomOf(const std::string& path) {
    return path.substr(0, path.find('/'));
}

std::string stemOf(const std::string& path) {
    return path.substr(0, path.rfind('.'));
}

// A header and the sources that carry it out are one unit: race/player.h with
// race/player.cpp and race/player_control.cpp (which has no header of its own).
std::string unitOf(const std::string& path, const SourceTree& tree) {
    std::string stem = stemOf(path);
    if (path.size() > 4 && path.compare(path.size() - 4, 4, ".cpp") == 0 &&
        tree.count(stem + ".h") == 0) {
        for (size_t cut = stem.rfind('_'); cut != std::string::npos;
             cut = stem.rfind('_', cut - 1)) {
            if (tree.count(stem.substr(0, cut) + ".h") != 0) {
                return stem.substr(0, cut);
            }
            if (cut == 0) {
                break;
            }
        }
    }
    return stem;
}

// Follows the units' includes depth first; a unit met again on the way is a circle.
void findCircles(const std::map<std::string, std::set<std::string>>& edges, const std::string& unit,
                 std::vector<std::string>& path, std::set<std::string>& done,
                 std::vector<std::string>& faults) {
    path.push_back(unit);
    const auto out = edges.find(unit);
    if (out != edges.end()) {
        for (const std::string& next : out->second) {
            const auto onPath = std::find(path.begin(), path.end(), next);
            if (onPath != path.end()) {
                std::string circle;
                for (auto it = onPath; it != path.end(); ++it) {
                    circle += *it + " -> ";
                }
                faults.push_back("file circle: " + circle + next);
            } else if (done.count(next) == 0) {
                findCircles(edges, next, path, done, faults);
            }
        }
    }
    done.insert(unit);
    path.pop_back();
}

std::vector<std::string> houseFaults(const SourceTree& tree) {
    std::map<std::string, size_t> floorOf;
    for (size_t floor = 0; floor < FLOORS.size(); ++floor) {
        for (const std::string& room : FLOORS[floor]) {
            floorOf[room] = floor;
        }
    }
    const std::regex include(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
    std::vector<std::string> faults;
    std::map<std::string, std::set<std::string>> edges;
    for (const auto& [path, text] : tree) {
        const std::string room = roomOf(path);
        if (floorOf.count(room) == 0) {
            faults.push_back(path + ": room '" + room + "' is on no floor");
            continue;
        }
        std::istringstream lines(text);
        std::smatch match;
        for (std::string line; std::getline(lines, line);) {
            if (!std::regex_search(line, match, include)) {
                continue;
            }
            const std::string target = match[2];
            const std::string where = path + " includes " + target + ": ";
            if (match[1] == "<") {
                for (const std::string& header : PLATFORM_HEADERS) {
                    if (target.rfind(header, 0) == 0 && PLATFORM_ROOMS.count(room) == 0) {
                        faults.push_back(where +
                                         "the platform outside the shell, menu, input and audio");
                    }
                }
                if (target.rfind("GL/", 0) == 0 && GL_FREE_ROOMS.count(room) != 0) {
                    faults.push_back(where + "GL in a room that draws nothing");
                }
                continue;
            }
            if (tree.count(target) == 0) {
                faults.push_back(where + "no such file under src/");
                continue;
            }
            const std::string targetRoom = roomOf(target);
            if (targetRoom != room && floorOf.count(targetRoom) != 0 &&
                floorOf[targetRoom] >= floorOf[room]) {
                faults.push_back(where + (floorOf[targetRoom] == floorOf[room]
                                              ? "another room on the same floor"
                                              : "an upward include"));
            }
            const std::string from = unitOf(path, tree);
            const std::string to = unitOf(target, tree);
            if (from != to) {
                edges[from].insert(to);
            }
        }
    }
    std::set<std::string> done;
    for (const auto& [unit, targets] : edges) {
        if (done.count(unit) == 0) {
            std::vector<std::string> path;
            findCircles(edges, unit, path, done, faults);
        }
    }
    return faults;
}

SourceTree readSourceTree(const std::filesystem::path& root) {
    SourceTree tree;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        const std::string extension = entry.path().extension().string();
        if (entry.is_regular_file() && (extension == ".h" || extension == ".cpp")) {
            std::ifstream file(entry.path());
            std::stringstream text;
            text << file.rdbuf();
            tree[entry.path().lexically_relative(root).generic_string()] = text.str();
        }
    }
    return tree;
}

TEST(Floors, TheGameRunsOneWay) {
    const SourceTree tree = readSourceTree(std::filesystem::path(ZENTRIX_SOURCE_DIR) / "src");
    ASSERT_GT(tree.size(), 100u);
    for (const std::string& fault : houseFaults(tree)) {
        ADD_FAILURE() << fault;
    }
}

// The check itself catches each kind of fault in a small made-up house.
TEST(Floors, EachFaultIsCaught) {
    const struct {
        SourceTree tree;
        std::string fault;
    } cases[] = {
        {{{"math/a.h", "#include \"race/b.h\""}, {"race/b.h", ""}}, "an upward include"},
        {{{"images/a.cpp", "#include \"models/b.h\""}, {"models/b.h", ""}}, "same floor"},
        {{{"race/a.h", ""},
          {"race/a_step.cpp", "#include \"race/b.h\""},
          {"race/b.h", ""},
          {"race/b.cpp", "#include \"race/a.h\""}},
         "file circle: race/a -> race/b -> race/a"},
        {{{"render/a.cpp", "#include <SDL2/SDL.h>"}}, "the platform outside"},
        {{{"saves/a.cpp", "  #  include <GL/gl.h>"}}, "GL in a room that draws nothing"},
        {{{"race/a.cpp", "#include \"race/gone.h\""}}, "no such file"},
        {{{"garden/a.h", ""}}, "on no floor"},
    };
    for (const auto& c : cases) {
        const std::vector<std::string> faults = houseFaults(c.tree);
        ASSERT_EQ(faults.size(), 1u) << c.fault;
        EXPECT_NE(faults[0].find(c.fault), std::string::npos) << faults[0];
    }
}

}  // namespace
