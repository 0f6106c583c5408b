#include "editor/pictures.h"

#include <array>

namespace netedit {

namespace {

// clang-format off
constexpr auto FolderBack = std::to_array<GridPoint>({{1, 3}, {6, 3}, {7, 5}, {13, 5}, {13, 13}, {1, 13}});
constexpr auto FolderFront = std::to_array<GridPoint>({{3, 7}, {15, 7}, {13, 13}, {1, 13}});
constexpr auto Folder = std::to_array<Shape>({{{230, 190, 40}, {120, 90, 0}, FolderBack}, {{255, 225, 90}, {120, 90, 0}, FolderFront}});

constexpr auto Doorway = std::to_array<GridPoint>({{3, 1}, {13, 1}, {13, 15}, {3, 15}});
constexpr auto OpenDoor = std::to_array<GridPoint>({{3, 1}, {9, 3}, {9, 15}, {3, 15}}); // swung open towards the viewer
constexpr auto Knob = std::to_array<GridPoint>({{7, 8}, {8, 8}, {8, 10}, {7, 10}});
constexpr auto Door = std::to_array<Shape>({{{40, 40, 40}, {60, 40, 20}, Doorway}, {{170, 110, 50}, {60, 40, 20}, OpenDoor},
                          {{240, 210, 80}, {240, 210, 80}, Knob}});

constexpr auto TickStroke = std::to_array<GridPoint>({{1, 9}, {4, 6}, {7, 10}, {15, 2}, {17, 5}, {7, 16}});
constexpr auto Tick = std::to_array<Shape>({{{0, 150, 40}, {0, 100, 20}, TickStroke}});

constexpr auto CrossStrokes = std::to_array<GridPoint>({{2, 4}, {4, 2}, {9, 7}, {14, 2}, {16, 4}, {11, 9}, {16, 14}, {14, 16}, {9, 11}, {4, 16}, {2, 14}, {7, 9}});
constexpr auto Cross = std::to_array<Shape>({{{210, 30, 30}, {140, 0, 0}, CrossStrokes}});

constexpr auto Hook = std::to_array<GridPoint>({{4, 6}, {5, 3}, {9, 1}, {13, 3}, {14, 6}, {12, 9}, {10, 10}, {10, 12}, {8, 12}, {8, 9}, {11, 7}, {11, 5}, {9, 4}, {7, 5}, {7, 7}});
constexpr auto Dot = std::to_array<GridPoint>({{8, 14}, {10, 14}, {10, 16}, {8, 16}});
constexpr auto Question = std::to_array<Shape>({{{30, 80, 200}, {10, 40, 140}, Hook}, {{30, 80, 200}, {10, 40, 140}, Dot}});
// clang-format on

} // namespace

std::span<const Shape> ShapesOf(Picture picture) {
    switch (picture) {
    case Picture::Folder:
        return Folder;
    case Picture::Door:
        return Door;
    case Picture::Tick:
        return Tick;
    case Picture::Cross:
        return Cross;
    case Picture::Question:
        return Question;
    case Picture::None:
        break;
    }
    return {};
}

} // namespace netedit
