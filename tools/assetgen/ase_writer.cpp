#include "ase_writer.h"

#include <algorithm>
#include <cstdio>

namespace assetgen {
namespace {

// Fixed four-decimal numbers, as the exporter prints them; -0.0000 becomes 0.0000.
std::string num(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", v);
    std::string s = text;
    if (s == "-0.0000") {
        s = "0.0000";
    }
    return s;
}

std::string triple(V3 v) {
    return num(v.x) + "\t" + num(v.y) + "\t" + num(v.z);
}

std::string padded(int v, int width) {
    char text[32];
    std::snprintf(text, sizeof text, "%*d", width, v);
    return text;
}

void writeMaterials(std::string& out, const CraftModel& craft) {
    out += "*MATERIAL_LIST {\n";
    out += "\t*MATERIAL_COUNT " + std::to_string(craft.materials.size()) + "\n";
    for (size_t i = 0; i < craft.materials.size(); ++i) {
        const Material& m = craft.materials[i];
        V3 diffuse = {m.r, m.g, m.b};
        out += "\t*MATERIAL " + std::to_string(i) + " {\n";
        out += "\t\t*MATERIAL_NAME \"" + m.name + "\"\n";
        out += "\t\t*MATERIAL_CLASS \"Standard\"\n";
        out += "\t\t*MATERIAL_AMBIENT " + triple(diffuse * 0.2) + "\n";
        out += "\t\t*MATERIAL_DIFFUSE " + triple(diffuse) + "\n";
        out += "\t\t*MATERIAL_SPECULAR 0.9000\t0.9000\t0.9000\n";
        out += "\t\t*MATERIAL_SHINE 0.2500\n";
        out += "\t\t*MATERIAL_SHINESTRENGTH 0.0500\n";
        out += "\t\t*MATERIAL_TRANSPARENCY 0.0000\n";
        out += "\t\t*MATERIAL_WIRESIZE 1.0000\n";
        out += "\t\t*MATERIAL_SHADING Blinn\n";
        out += "\t\t*MATERIAL_XP_FALLOFF 0.0000\n";
        out += "\t\t*MATERIAL_SELFILLUM 0.0000\n";
        out += "\t\t*MATERIAL_FALLOFF In\n";
        out += "\t\t*MATERIAL_XP_TYPE Filter\n";
        out += "\t}\n";
    }
    out += "}\n";
}

void writeNodeTransform(std::string& out, const Mesh& mesh) {
    out += "\t*NODE_TM {\n";
    out += "\t\t*NODE_NAME \"" + mesh.name + "\"\n";
    out += "\t\t*INHERIT_POS 0 0 0\n";
    out += "\t\t*INHERIT_ROT 0 0 0\n";
    out += "\t\t*INHERIT_SCL 0 0 0\n";
    out += "\t\t*TM_ROW0 1.0000\t0.0000\t0.0000\n";
    out += "\t\t*TM_ROW1 0.0000\t1.0000\t0.0000\n";
    out += "\t\t*TM_ROW2 0.0000\t0.0000\t1.0000\n";
    out += "\t\t*TM_ROW3 0.0000\t0.0000\t0.0000\n";
    out += "\t\t*TM_POS 0.0000\t0.0000\t0.0000\n";
    out += "\t\t*TM_ROTAXIS 0.0000\t0.0000\t0.0000\n";
    out += "\t\t*TM_ROTANGLE 0.0000\n";
    out += "\t\t*TM_SCALE 1.0000\t1.0000\t1.0000\n";
    out += "\t\t*TM_SCALEAXIS 0.0000\t0.0000\t0.0000\n";
    out += "\t\t*TM_SCALEAXISANG 0.0000\n";
    out += "\t}\n";
}

void writeMesh(std::string& out, const Mesh& mesh) {
    out += "\t*MESH {\n";
    out += "\t\t*TIMEVALUE 0\n";
    out += "\t\t*MESH_NUMVERTEX " + std::to_string(mesh.vertices.size()) + "\n";
    out += "\t\t*MESH_NUMFACES " + std::to_string(mesh.faces.size()) + "\n";

    out += "\t\t*MESH_VERTEX_LIST {\n";
    for (size_t i = 0; i < mesh.vertices.size(); ++i) {
        out += "\t\t\t*MESH_VERTEX " + padded(static_cast<int>(i), 4) + "\t" +
               triple(mesh.vertices[i]) + "\n";
    }
    out += "\t\t}\n";

    out += "\t\t*MESH_FACE_LIST {\n";
    for (size_t i = 0; i < mesh.faces.size(); ++i) {
        const Triangle& f = mesh.faces[i];
        out += "\t\t\t*MESH_FACE " + padded(static_cast<int>(i), 4) + ":" +
               "    A: " + padded(f.corner[0], 4) + " B: " + padded(f.corner[1], 4) +
               " C: " + padded(f.corner[2], 4) + " AB:    1 BC:    1 CA:    1" +
               "\t *MESH_SMOOTHING " + std::to_string(f.smoothingGroup) + " \t*MESH_MTLID 0\n";
    }
    out += "\t\t}\n";

    // Texture vertices: the part seen from above, spread over the unit square.
    double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
    for (V3 v : mesh.vertices) {
        minX = std::min(minX, v.x);
        maxX = std::max(maxX, v.x);
        minY = std::min(minY, v.y);
        maxY = std::max(maxY, v.y);
    }
    out += "\t\t*MESH_NUMTVERTEX " + std::to_string(mesh.vertices.size()) + "\n";
    out += "\t\t*MESH_TVERTLIST {\n";
    for (size_t i = 0; i < mesh.vertices.size(); ++i) {
        double u = (mesh.vertices[i].x - minX) / std::max(maxX - minX, 1.0);
        double v = (mesh.vertices[i].y - minY) / std::max(maxY - minY, 1.0);
        out +=
            "\t\t\t*MESH_TVERT " + std::to_string(i) + "\t" + num(u) + "\t" + num(v) + "\t0.0000\n";
    }
    out += "\t\t}\n";
    out += "\t\t*MESH_NUMTVFACES " + std::to_string(mesh.faces.size()) + "\n";
    out += "\t\t*MESH_TFACELIST {\n";
    for (size_t i = 0; i < mesh.faces.size(); ++i) {
        const Triangle& f = mesh.faces[i];
        out += "\t\t\t*MESH_TFACE " + std::to_string(i) + "\t" + std::to_string(f.corner[0]) +
               "\t" + std::to_string(f.corner[1]) + "\t" + std::to_string(f.corner[2]) + "\n";
    }
    out += "\t\t}\n";
    out += "\t\t*MESH_NUMCVERTEX 0\n";

    std::vector<std::array<V3, 3>> corners = mesh.cornerNormals();
    out += "\t\t*MESH_NORMALS {\n";
    for (size_t i = 0; i < mesh.faces.size(); ++i) {
        out += "\t\t\t*MESH_FACENORMAL " + std::to_string(i) + "\t" +
               triple(mesh.faceNormal(mesh.faces[i])) + "\n";
        for (int k = 0; k < 3; ++k) {
            out += "\t\t\t\t*MESH_VERTEXNORMAL " + std::to_string(mesh.faces[i].corner[k]) + "\t" +
                   triple(corners[i][k]) + "\n";
        }
    }
    out += "\t\t}\n";
    out += "\t}\n";
}

}  // namespace

std::string formatAse(const CraftModel& craft) {
    std::string out;
    out += "*3DSMAX_ASCIIEXPORT\t200\n";
    out += "*COMMENT \"Zentrix craft, written by the asset generator\"\n";
    out += "*SCENE {\n";
    out += "\t*SCENE_FILENAME \"nau.max\"\n";
    out += "\t*SCENE_FIRSTFRAME 0\n";
    out += "\t*SCENE_LASTFRAME 100\n";
    out += "\t*SCENE_FRAMESPEED 30\n";
    out += "\t*SCENE_TICKSPERFRAME 160\n";
    out += "\t*SCENE_BACKGROUND_STATIC 0.0000\t0.0000\t0.0000\n";
    out += "\t*SCENE_AMBIENT_STATIC 0.0000\t0.0000\t0.0000\n";
    out += "}\n";
    writeMaterials(out, craft);
    for (const Mesh& mesh : craft.parts) {
        out += "*GEOMOBJECT {\n";
        out += "\t*NODE_NAME \"" + mesh.name + "\"\n";
        writeNodeTransform(out, mesh);
        writeMesh(out, mesh);
        out += "\t*PROP_MOTIONBLUR 0\n";
        out += "\t*PROP_CASTSHADOW 1\n";
        out += "\t*PROP_RECVSHADOW 1\n";
        out += "\t*MATERIAL_REF " + std::to_string(mesh.material) + "\n";
        out += "}\n";
    }
    return out;
}

}  // namespace assetgen
