#include "craft_preview.h"

#include <algorithm>
#include <limits>

namespace assetgen {
namespace {

// Screen x, screen y and depth (larger is nearer) of a model point for a view.
V3 project(V3 p, CraftView view) {
    switch (view) {
        case CraftView::Front:  // from ahead of the nose, looking back
            return {-p.x, p.z, p.y};
        case CraftView::Side:  // from the right
            return {p.y, p.z, p.x};
        case CraftView::Top:  // from above, nose up the picture
            return {p.x, p.y, p.z};
    }
    return p;
}

}  // namespace

Image renderCraftView(const CraftModel& craft, CraftView view, int size) {
    Image image(size, size);
    image.fill([](double, double t) { return mix(rgb(40, 44, 56), rgb(90, 100, 120), t); });
    paintCraftView(craft, view, image);
    return image;
}

std::vector<bool> paintCraftView(const CraftModel& craft, CraftView view, Image& image, double zoom,
                                 double raise) {
    const int size = image.width;
    std::vector<double> depth(static_cast<size_t>(size) * size,
                              -std::numeric_limits<double>::infinity());
    const double scale = size / 760.0 * zoom;  // at zoom 1 the whole craft with a margin
    const double middleY = size / 2 + raise * size;
    const double centreShift = 65;  // the craft runs from y -260 to about 390
    const V3 light = normalized({0.4, 0.5, 0.75});
    const V3 lightInView = normalized(project(light, view));

    for (const Mesh& mesh : craft.parts) {
        const Material& m = craft.materials[mesh.material];
        std::vector<std::array<V3, 3>> normals = mesh.cornerNormals();
        for (size_t f = 0; f < mesh.faces.size(); ++f) {
            V3 screen[3];
            V3 normal[3];
            for (int k = 0; k < 3; ++k) {
                V3 p = mesh.vertices[mesh.faces[f].corner[k]];
                if (view != CraftView::Front) {
                    p.y -= centreShift;
                }
                V3 s = project(p, view);
                screen[k] = {size / 2 + s.x * scale, middleY + s.y * scale, s.z};
                normal[k] = project(normals[f][k], view);
            }
            double minX = std::min({screen[0].x, screen[1].x, screen[2].x});
            double maxX = std::max({screen[0].x, screen[1].x, screen[2].x});
            double minY = std::min({screen[0].y, screen[1].y, screen[2].y});
            double maxY = std::max({screen[0].y, screen[1].y, screen[2].y});
            double area = (screen[1].x - screen[0].x) * (screen[2].y - screen[0].y) -
                          (screen[2].x - screen[0].x) * (screen[1].y - screen[0].y);
            if (area == 0) {
                continue;
            }
            for (int y = std::max(0, static_cast<int>(minY));
                 y <= std::min(size - 1, static_cast<int>(maxY)); ++y) {
                for (int x = std::max(0, static_cast<int>(minX));
                     x <= std::min(size - 1, static_cast<int>(maxX)); ++x) {
                    double px = x + 0.5, py = y + 0.5;
                    double w0 = ((screen[1].x - px) * (screen[2].y - py) -
                                 (screen[2].x - px) * (screen[1].y - py)) /
                                area;
                    double w1 = ((screen[2].x - px) * (screen[0].y - py) -
                                 (screen[0].x - px) * (screen[2].y - py)) /
                                area;
                    double w2 = 1 - w0 - w1;
                    if (w0 < 0 || w1 < 0 || w2 < 0) {
                        continue;
                    }
                    double z = w0 * screen[0].z + w1 * screen[1].z + w2 * screen[2].z;
                    double& stored = depth[static_cast<size_t>(y) * size + x];
                    if (z <= stored) {
                        continue;
                    }
                    stored = z;
                    V3 n = normalized(normal[0] * w0 + normal[1] * w1 + normal[2] * w2);
                    // Normals facing away from the viewer show up dark red.
                    if (n.z < -0.05) {
                        image.at(x, y) = rgb(160, 0, 0);
                        continue;
                    }
                    double lambert = std::max(0.0, dot(n, lightInView));
                    double shade = 0.25 + 0.75 * lambert;
                    image.at(x, y) = Color{m.r, m.g, m.b} * shade;
                }
            }
        }
    }
    std::vector<bool> covered(depth.size());
    for (size_t i = 0; i < depth.size(); ++i) {
        covered[i] = depth[i] > -std::numeric_limits<double>::infinity();
    }
    return covered;
}

}  // namespace assetgen
