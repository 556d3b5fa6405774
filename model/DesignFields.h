#pragma once
// The eight components and eight special actions of a ship design, and every
// name each of them goes by: the key in design files and export texts, the word
// the import looks for in the game's display, the Designer page's label and the
// names of its controls. Everything that lists components or actions (the
// design file, the import, the Designer page, the command-line tool) walks
// these tables, so a component's words stand here and nowhere else.
#include <QString>
#include <array>

namespace qf {

// In the order of the design file.
enum class Component { StorageBays, ArmorLevel, Thruster, Fusi, ZVA, Missles, Laser, Plasma };
enum class Action { Crewed, Spy, Cloak, Kolo, Inva, Recy, Raid, Sabo };

constexpr int kComponentCount = 8;
constexpr int kActionCount = 8;

constexpr int indexOf(Component c) { return static_cast<int>(c); }
constexpr int indexOf(Action a) { return static_cast<int>(a); }

struct ComponentField {
    Component id;
    const char *fileKey;    // design file, export text, `--set` key
    const char *importWord; // found anywhere in a line of the game's display
    const char *label;      // the Designer page's label, UTF-8
    const char *control;    // the level edit
    const char *spinner;    // its spinner
    int spinnerMinimum;     // the spinner's arrows go from here to 100
    int pageSlot;           // place in the page's group, row by row in three columns
};

struct ActionField {
    Action id;
    const char *fileKey;    // design file, export text, `--set` key
    const char *importWord; // found anywhere in a line of the game's display, UTF-8
    const char *caption;    // the check box's caption, UTF-8
    const char *control;    // the check box
    int pageSlot;           // place in the page's group, row by row in three columns
};

// Both in the order of the design file, which is also the order the import tries them.
const std::array<ComponentField, kComponentCount> &ComponentFields();
const std::array<ActionField, kActionCount> &ActionFields();

const ComponentField &FieldOf(Component c);
const ActionField &FieldOf(Action a);

// The design-file key of a field as text.
QString FileKey(Component c);
QString FileKey(Action a);

} // namespace qf
