#pragma once

#include <gtest/gtest.h>

#include <string>

#include "models/ase_loader.h"

namespace testase {
// One wing: three vertices, one face, two materials of which it uses the second.
inline const std::string WING = R"(*3DSMAX_ASCIIEXPORT	200
*COMMENT "AsciiExport Version  2,00"
*MATERIAL_LIST {
	*MATERIAL_COUNT 2
	*MATERIAL 0 {
		*MATERIAL_NAME "Hull"
		*MATERIAL_DIFFUSE	0.5000	0.2500	0.1250
	}
	*material 1 {
		*MATERIAL_NAME "Stripe"
		*MATERIAL_AMBIENT 0.9 0.9 0.9
		*MATERIAL_DIFFUSE	0.1000	0.2000	0.3000
	}
}
*GEOMOBJECT {
	*NODE_NAME "Wing Left"
	*NODE_TM {
		*NODE_NAME "Wing Left"
	}
	*MESH {
		*TIMEVALUE 0
		*MESH_NUMVERTEX 3
		*MESH_NUMFACES 1
		*MESH_VERTEX_LIST {
			*MESH_VERTEX    0	1.0000	2.0000	3.0000
			*MESH_VERTEX    1	4.0000	5.0000	6.0000
			*MESH_VERTEX    2	-7.5000	8.0000	9.0000
		}
		*MESH_FACE_LIST {
			*MESH_FACE    0:    A:    0 B:    1 C:    2 AB:    1 BC:    1 CA:    1	 *MESH_SMOOTHING 1 	*MESH_MTLID 0
		}
		*MESH_NUMTVERTEX 3
		*MESH_TVERTLIST {
			*MESH_TVERT 0	0.1000	0.2000	0.9000
			*MESH_TVERT 1	0.3000	0.4000	0.9000
			*MESH_TVERT 2	0.5000	0.6000	0.9000
		}
		*MESH_NUMTVFACES 1
		*MESH_TFACELIST {
			*MESH_TFACE 0	2	0	1
		}
		*MESH_NORMALS {
			*MESH_FACENORMAL 0	0.0000	0.0000	1.0000
				*MESH_VERTEXNORMAL 0	0.0000	1.0000	0.0000
				*MESH_VERTEXNORMAL 1	1.0000	0.0000	0.0000
				*MESH_VERTEXNORMAL 2	0.0000	0.6000	0.8000
		}
	}
	*PROP_MOTIONBLUR 0
	*MATERIAL_REF 1
}
)";

inline std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) {
        text.replace(at, from.size(), to);
    }
    return text;
}

inline bool load(Model& model, const std::string& text, std::string* reason = nullptr) {
    TokenReader reader = TokenReader::fromText(text);
    return loadAseFrom(model, reader, reason);
}
}  // namespace testase
