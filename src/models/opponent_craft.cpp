#include "models/opponent_craft.h"

#include "assets/file_lookup.h"

Model opponentCraft(const std::string& path, const Model& playerCraft,
                    const std::string& playerPath) {
    Model craft;
    if (findFileIgnoringCase(path) == findFileIgnoringCase(playerPath)) {
        craft.objectCount = playerCraft.objectCount;
        craft.objects = playerCraft.objects;
    } else {
        craft.loadAse(path);
    }
    return craft;
}
