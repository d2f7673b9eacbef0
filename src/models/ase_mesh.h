#pragma once

#include "models/ase_walk.h"
#include "models/mesh_object.h"

// Reads the *MESH block whose opening brace was just read into object: its
// counts, vertices, faces, texture coordinates and normals, in whatever order
// the file gives them, then checks that every count matches its entries and
// every index lands inside its array.
bool readAseMesh(AseWalk& walk, MeshObject& object);
