#include "models/ase_loader.h"

#include <new>
#include <string>
#include <utility>
#include <vector>

#include "assets/player_messages.h"
#include "models/ase_mesh.h"
#include "models/ase_walk.h"

namespace {
constexpr std::size_t LEAST_MATERIAL_BYTES = leastEntryBytes("*MATERIAL { *MATERIAL_DIFFUSE }", 4);

// What the file holds, before each object's colour is taken from its material.
struct AseScene {
    bool hasMaterialCount = false;
    int32_t materialCount = 0;
    std::vector<Color3> materials;
    std::vector<MeshObject> objects;
};

// A material's own diffuse colour; its sub-materials and maps are passed over.
bool readMaterial(AseWalk& walk, std::vector<Color3>& materials) {
    bool hasDiffuse = false;
    Color3 diffuse;
    const bool read = walk.readBlock(
        "*MATERIAL",
        [&](const std::string& token) {
            if (token != "*MATERIAL_DIFFUSE") {
                return true;
            }
            hasDiffuse = true;
            return walk.readFloat("*MATERIAL_DIFFUSE", diffuse.r) &&
                   walk.readFloat("*MATERIAL_DIFFUSE", diffuse.g) &&
                   walk.readFloat("*MATERIAL_DIFFUSE", diffuse.b);
        },
        [&](const std::string& opener) { return walk.skipBlock(opener); });
    if (!read) {
        return false;
    }
    if (!hasDiffuse) {
        return walk.fail("material " + std::to_string(materials.size()) +
                         " has no *MATERIAL_DIFFUSE");
    }
    materials.push_back(diffuse);
    return true;
}

// Keywords that only ever stand at the top of the file.
bool opensSceneNode(const std::string& token) {
    return token == "*GEOMOBJECT" || token == "*GROUP" || token == "*HELPEROBJECT" ||
           token == "*SHAPEOBJECT" || token == "*LIGHTOBJECT" || token == "*CAMERAOBJECT";
}

// Materials are numbered by their order in the list, whatever index they give.
// Some exporters never close the list: the first object keyword then ends it,
// and leftOpenBy says which keyword that was.
bool readMaterialList(AseWalk& walk, AseScene& scene, std::string& leftOpenBy) {
    const bool read = walk.readBlock(
        "*MATERIAL_LIST",
        [&](const std::string& token) {
            if (opensSceneNode(token)) {
                leftOpenBy = token;
                return false;
            }
            if (token != "*MATERIAL_COUNT") {
                return true;
            }
            scene.hasMaterialCount = true;
            return walk.readCount("*MATERIAL_COUNT", LEAST_MATERIAL_BYTES, scene.materialCount);
        },
        [&](const std::string& opener) {
            return opener == "*MATERIAL" ? readMaterial(walk, scene.materials)
                                         : walk.skipBlock(opener);
        });
    if (!read && leftOpenBy.empty()) {
        return false;
    }
    if (!scene.hasMaterialCount) {
        return walk.fail("a *MATERIAL_LIST without *MATERIAL_COUNT");
    }
    if (scene.materials.size() != static_cast<std::size_t>(scene.materialCount)) {
        return walk.fail("*MATERIAL_COUNT " + std::to_string(scene.materialCount) + " but " +
                         std::to_string(scene.materials.size()) + " materials listed");
    }
    return true;
}

// One object: its mesh and the number of its material (-1 when it names none).
bool readObject(AseWalk& walk, MeshObject& object) {
    object.materialRef = -1;
    bool hasMesh = false;
    const bool read = walk.readBlock(
        "*GEOMOBJECT",
        [&](const std::string& token) {
            if (token != "*MATERIAL_REF") {
                return true;
            }
            if (!walk.readInt("*MATERIAL_REF", object.materialRef)) {
                return false;
            }
            return object.materialRef >= 0 ||
                   walk.fail("*MATERIAL_REF " + std::to_string(object.materialRef));
        },
        [&](const std::string& opener) {
            if (opener != "*MESH") {
                return walk.skipBlock(opener);  // node transform, animation, ...
            }
            if (hasMesh) {
                return walk.fail("a *GEOMOBJECT with two meshes");
            }
            hasMesh = true;
            return readAseMesh(walk, object);
        });
    return read && (hasMesh || walk.fail("a *GEOMOBJECT without *MESH"));
}

// The top of the file: the material list and the objects, in any order, with
// a group's members read as if they stood outside it.
bool readScene(AseWalk& walk, AseScene& scene) {
    TokenReader& reader = walk.reader();
    int64_t openGroups = 0;
    std::string opener;
    bool openerWasUpperCase = false;
    for (;;) {
        const std::string token = reader.nextToken();
        // An object's keyword promises its block straight after it.
        if (opener == "*GEOMOBJECT" && openerWasUpperCase && token != "{") {
            return walk.fail("a *GEOMOBJECT without its block");
        }
        if (token.empty()) {
            break;
        }
        if (token == "}") {
            if (openGroups == 0) {
                return walk.fail("a closing brace with no block open");
            }
            --openGroups;
            continue;
        }
        if (token == "{") {
            bool read = true;
            if (opener == "*GROUP") {
                ++openGroups;
            } else if (opener == "*MATERIAL_LIST") {
                std::string leftOpenBy;
                read = readMaterialList(walk, scene, leftOpenBy);
                if (read && !leftOpenBy.empty()) {
                    opener = leftOpenBy;
                    openerWasUpperCase = reader.lastTokenWasUpperCase();
                    continue;
                }
            } else if (opener == "*GEOMOBJECT" && openerWasUpperCase) {
                // Objects have only ever counted when the file writes their
                // keyword in upper case; a lower-case one is passed over.
                scene.objects.emplace_back();
                read = readObject(walk, scene.objects.back());
            } else {
                read = walk.skipBlock(opener);
            }
            if (!read) {
                return false;
            }
            opener.clear();
            continue;
        }
        if (token[0] == '*') {
            opener = token;
            openerWasUpperCase = reader.lastTokenWasUpperCase();
        }
    }
    if (openGroups > 0) {
        return walk.fail("text ends inside *GROUP");
    }
    return scene.hasMaterialCount || walk.fail("no *MATERIAL_COUNT");
}

// Each object takes the diffuse colour of its material; one that names no
// material keeps the black every object starts with.
bool colourObjects(AseWalk& walk, AseScene& scene) {
    const int32_t materials = static_cast<int32_t>(scene.materials.size());
    for (MeshObject& object : scene.objects) {
        if (object.materialRef == -1) {
            continue;
        }
        if (object.materialRef >= materials) {
            return walk.fail("*MATERIAL_REF " + std::to_string(object.materialRef) +
                             " outside 0.." + std::to_string(materials - 1));
        }
        object.color = scene.materials[object.materialRef];
    }
    return true;
}
}  // namespace

bool loadAseFrom(Model& model, TokenReader& reader, std::string* reason) {
    model.objectCount = 0;
    model.objects.clear();
    AseWalk walk(reader, reason);
    if (!reader.whole()) {
        return walk.fail("the file is larger than " + std::to_string(TokenReader::MAX_TEXT_BYTES) +
                         " bytes or could not be read whole");
    }
    try {
        AseScene scene;
        if (!readScene(walk, scene) || !colourObjects(walk, scene)) {
            return false;
        }
        model.objects = std::move(scene.objects);
        model.objectCount = static_cast<int32_t>(model.objects.size());
        return true;
    } catch (const std::bad_alloc&) {
        return walk.fail("out of memory");
    }
}

AseLoadResult tryLoadAse(Model& model, const std::string& path, std::string* reason) {
    TokenReader reader(path);
    if (!reader.opened()) {
        model.objectCount = 0;
        model.objects.clear();
        if (reason != nullptr) {
            *reason = "cannot open";
        }
        return AseLoadResult::Missing;
    }
    return loadAseFrom(model, reader, reason) ? AseLoadResult::Loaded : AseLoadResult::Damaged;
}

std::string missingModelMessage(const std::string& path) {
    return "The resource file " + path + " does not exist\n";
}

std::string damagedModelMessage(const std::string& path) {
    return "The resource file " + path + " is damaged\n";
}

void Model::loadAse(const std::string& path) {
    switch (tryLoadAse(*this, path)) {
        case AseLoadResult::Loaded:
            return;
        case AseLoadResult::Missing:
            showMessageBox(missingModelMessage(path).c_str(), "Error", BoxOwner::GameWindow,
                           BoxIcon::Error);
            break;
        case AseLoadResult::Damaged:
            showMessageBox(damagedModelMessage(path).c_str(), "Error", BoxOwner::GameWindow,
                           BoxIcon::Error);
            break;
    }
    endProgram(-1);
}
