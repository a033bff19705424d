// The Linux accessibility bridge: an ATK object for the application, one for the window and one
// for each node of the screen's description, published on the accessibility bus by ATK's AT-SPI
// bridge, the way toolkits without GTK do. This file's state is the bus's: it lives as long as
// the window and is touched only on the frame loop's thread, in serveAccessibility.
//
// Nothing is described until a screen reader first asks for the window's contents: until then a
// frame costs one look at the bus. A screen reader's actions become the input a hand makes (a
// press and release at the widget's point, a press at a slider's new value, Backspaces and
// characters for the field), queued behind the window system's own input by the pacer.
#include <atk-bridge.h>
#include <atk/atk.h>
#include <errno.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <iterator>

#include "accessibility_bus.h"
#include "glfw/glfw_window.h"
#include "gui_demo/demo.h"
#include "gui_demo/hand_input.h"
#include "gui_demo/platform.h"
#include "gui_demo/screen_changes.h"
#include "gui_demo/screen_description.h"
#include "key_events.h"

namespace gui_demo {

namespace {

// How long after a frame the bridge may answer a screen reader that is asking: a reader asks one
// question at a time and waits, so answering one a frame would take a frame per question. It is
// spent only while questions come, out of the frame's idle time (raylib waits out the rest of
// each 1/60 s after drawing, less what is spent here).
constexpr gint64 answering_us = 4000;

// Frames after joining the bus before the window's activation is told. ATK's bridge learns which
// events screen readers listen for from the bus just after joining, and drops every event until
// then: told at once, the activation would reach nobody, and a screen reader that was already
// running would never announce the window. About a sixth of a second.
constexpr int settling_frames = 10;

// The objects: every one is an AtkObject that knows its node (-1 for the application and the
// window). Which interfaces a node's object has follows its role (typeFor).
struct Node {
    AtkObject atk;
    int index;
};
struct NodeClass {
    AtkObjectClass atk;
};

struct Bridge {
    bool on = false;
    bool described = false;  // a screen reader has asked for the window's contents
    const DemoState* state = nullptr;
    const LoopClock* clock = nullptr;
    AtkObject* application = nullptr;
    AtkObject* frame = nullptr;
    AtkObject* objects[max_screen_nodes] = {};
    ScreenTracker tracker;  // what the objects tell, and what changed
    ScreenDescription next;
    bool active = false;    // the window, as last told
    int frames_joined = 0;  // frames served since the bus was joined, up to settling_frames
    int focused = -1;       // the node told as focused
};

Bridge bridge;

// The object types, by the interfaces their nodes need (typeFor).
struct Types {
    GType application, frame, node, shape, widget, value, field;
};
Types types;

const ScreenDescription& told() { return bridge.tracker.told; }
const ScreenNode& nodeOf(AtkObject* o) { return told().nodes[reinterpret_cast<Node*>(o)->index]; }
int indexOf(AtkObject* o) { return reinterpret_cast<Node*>(o)->index; }

AtkRole atkRole(ScreenRole r) {
    switch (r) {
        case ScreenRole::heading:
            return ATK_ROLE_HEADING;
        case ScreenRole::text:
            return ATK_ROLE_LABEL;
        case ScreenRole::list:
            return ATK_ROLE_LIST;
        case ScreenRole::list_item:
            return ATK_ROLE_LIST_ITEM;
        case ScreenRole::image:
            return ATK_ROLE_IMAGE;
        case ScreenRole::button:
        case ScreenRole::drag_box:
            return ATK_ROLE_PUSH_BUTTON;
        case ScreenRole::check_box:
            return ATK_ROLE_CHECK_BOX;
        case ScreenRole::radio_group:
            return ATK_ROLE_GROUPING;
        case ScreenRole::radio_button:
            return ATK_ROLE_RADIO_BUTTON;
        case ScreenRole::slider:
            return ATK_ROLE_SLIDER;
        case ScreenRole::scroll_bar:
            return ATK_ROLE_SCROLL_BAR;
        case ScreenRole::text_field:
            return ATK_ROLE_ENTRY;
    }
    return ATK_ROLE_UNKNOWN;
}

// ---- Telling -----------------------------------------------------------------------------------

AtkObject* makeNodeObject(int i);
AtkObject* parentObject(int i);
int childIndex(const ScreenDescription& d, int i);
void screenRect(const ScreenRect& r, AtkRectangle& out);

// One change of the list (screen_changes.h), as ATK's signals and notifications, which the AT-SPI
// bridge sends on to the bus.
void tell(const ScreenChange& c) {
    AtkObject* o = c.node >= 0 ? bridge.objects[c.node] : bridge.frame;
    const ScreenNode* n = c.node >= 0 ? &told().nodes[c.node] : nullptr;
    switch (c.kind) {
        case ScreenChangeKind::window_active:
            bridge.active = c.on;
            atk_object_notify_state_change(bridge.frame, ATK_STATE_ACTIVE, c.on);
            g_signal_emit_by_name(bridge.frame, c.on ? "activate" : "deactivate");
            break;
        case ScreenChangeKind::focus:
            if (bridge.focused >= 0 && bridge.objects[bridge.focused])
                atk_object_notify_state_change(bridge.objects[bridge.focused], ATK_STATE_FOCUSED,
                                               FALSE);
            bridge.focused = c.node;
            if (o != nullptr && c.node >= 0)
                atk_object_notify_state_change(o, ATK_STATE_FOCUSED, TRUE);
            break;
        case ScreenChangeKind::checked:
            atk_object_notify_state_change(o, ATK_STATE_CHECKED, c.on);
            if (n->role == ScreenRole::radio_button)
                atk_object_notify_state_change(o, ATK_STATE_SELECTED, c.on);
            break;
        case ScreenChangeKind::pressed:
            atk_object_notify_state_change(o, ATK_STATE_PRESSED, c.on);
            break;
        case ScreenChangeKind::value:
            g_signal_emit_by_name(o, "value-changed", static_cast<double>(n->value), n->text);
            g_object_notify(G_OBJECT(o), "accessible-value");
            break;
        case ScreenChangeKind::text_removed:
            g_signal_emit_by_name(o, "text-remove", c.offset, c.length,
                                  bridge.tracker.was.nodes[c.node].text + c.offset);
            break;
        case ScreenChangeKind::text_inserted:
            g_signal_emit_by_name(o, "text-insert", c.offset, c.length, n->text + c.offset);
            break;
        case ScreenChangeKind::description:
            atk_object_set_description(o, n->text);
            break;
        case ScreenChangeKind::name:
            atk_object_set_name(o, n->text);
            break;
        case ScreenChangeKind::bounds: {
            AtkRectangle r;
            screenRect(n->rect, r);
            g_signal_emit_by_name(o, "bounds-changed", &r);
            break;
        }
        case ScreenChangeKind::node_added:
            bridge.objects[c.node] = makeNodeObject(c.node);
            g_signal_emit_by_name(parentObject(c.node), "children-changed::add",
                                  childIndex(told(), c.node), bridge.objects[c.node]);
            break;
        case ScreenChangeKind::node_removed:
            if (o == nullptr) break;
            g_signal_emit_by_name(atk_object_get_parent(o), "children-changed::remove",
                                  childIndex(bridge.tracker.was, c.node), o);
            g_object_unref(o);
            bridge.objects[c.node] = nullptr;
            break;
    }
}

// Builds every node's object the first time a screen reader looks into the window.
void describe();

// ---- The objects' answers ----------------------------------------------------------------------

// The children of a container: the window's are the nodes that belong to none.
int childCount(int parent) {
    describe();
    int count = 0;
    for (int i = 0; i < told().count; ++i) count += told().nodes[i].parent == parent;
    return count;
}

AtkObject* child(int parent, int k) {
    describe();
    for (int i = 0; i < told().count; ++i) {
        if (told().nodes[i].parent != parent) continue;
        if (k-- == 0) return ATK_OBJECT(g_object_ref(bridge.objects[i]));
    }
    return nullptr;
}

gint applicationChildCount(AtkObject*) { return 1; }
AtkObject* applicationChild(AtkObject*, gint k) {
    return k == 0 ? ATK_OBJECT(g_object_ref(bridge.frame)) : nullptr;
}

gint frameChildCount(AtkObject*) { return childCount(-1); }
AtkObject* frameChild(AtkObject*, gint k) { return child(-1, k); }
gint frameIndex(AtkObject*) { return 0; }
AtkStateSet* frameStates(AtkObject*) {
    AtkStateSet* s = atk_state_set_new();
    for (AtkStateType t : {ATK_STATE_ENABLED, ATK_STATE_SENSITIVE, ATK_STATE_VISIBLE,
                           ATK_STATE_SHOWING, ATK_STATE_RESIZABLE})
        atk_state_set_add_state(s, t);
    if (bridge.active) atk_state_set_add_state(s, ATK_STATE_ACTIVE);
    return s;
}

gint nodeChildCount(AtkObject* o) { return childCount(indexOf(o)); }
AtkObject* nodeChild(AtkObject* o, gint k) { return child(indexOf(o), k); }
int childIndex(const ScreenDescription& d, int i) {
    int k = 0;
    for (int j = 0; j < i; ++j) k += d.nodes[j].parent == d.nodes[i].parent;
    return k;
}
gint nodeIndex(AtkObject* o) { return childIndex(told(), indexOf(o)); }

AtkStateSet* nodeStates(AtkObject* o) {
    const ScreenNode& n = nodeOf(o);
    AtkStateSet* s = atk_state_set_new();
    for (AtkStateType t :
         {ATK_STATE_ENABLED, ATK_STATE_SENSITIVE, ATK_STATE_VISIBLE, ATK_STATE_SHOWING})
        atk_state_set_add_state(s, t);
    if (takesFocus(n.role)) atk_state_set_add_state(s, ATK_STATE_FOCUSABLE);
    if (indexOf(o) == bridge.focused) atk_state_set_add_state(s, ATK_STATE_FOCUSED);
    if (n.checked) atk_state_set_add_state(s, ATK_STATE_CHECKED);
    if (n.checked && n.role == ScreenRole::radio_button)
        atk_state_set_add_state(s, ATK_STATE_SELECTED);
    if (n.role == ScreenRole::slider || n.role == ScreenRole::scroll_bar)
        atk_state_set_add_state(s, n.vertical ? ATK_STATE_VERTICAL : ATK_STATE_HORIZONTAL);
    if (n.role == ScreenRole::text_field) {
        atk_state_set_add_state(s, ATK_STATE_EDITABLE);
        atk_state_set_add_state(s, ATK_STATE_SINGLE_LINE);
    }
    if (n.role == ScreenRole::drag_box && n.carried) atk_state_set_add_state(s, ATK_STATE_PRESSED);
    return s;
}

AtkAttributeSet* nodeAttributes(AtkObject* o) {
    const ScreenNode& n = nodeOf(o);
    if (n.role != ScreenRole::heading) return nullptr;
    auto* level = static_cast<AtkAttribute*>(g_malloc(sizeof(AtkAttribute)));
    level->name = g_strdup("level");
    level->value = g_strdup_printf("%d", n.level);
    return g_slist_prepend(nullptr, level);
}

// Component: where an object is, in the window or on the screen.
void nodeExtents(AtkComponent* c, gint* x, gint* y, gint* w, gint* h, AtkCoordType type) {
    const ScreenRect r = nodeOf(ATK_OBJECT(c)).rect;
    int ox = 0, oy = 0;
    if (type == ATK_XY_SCREEN) glfw::windowPosition(ox, oy);
    *x = r.x + ox, *y = r.y + oy, *w = r.w, *h = r.h;
}

// The child of parent at a point: the one seen there (nodeAt).
AtkObject* childAt(int parent, gint x, gint y, AtkCoordType type) {
    int ox = 0, oy = 0;
    if (type == ATK_XY_SCREEN) glfw::windowPosition(ox, oy);
    const int i = nodeAt(told(), x - ox, y - oy, parent);
    return i < 0 ? nullptr : ATK_OBJECT(g_object_ref(bridge.objects[i]));
}
AtkObject* nodeChildAt(AtkComponent* c, gint x, gint y, AtkCoordType type) {
    return childAt(indexOf(ATK_OBJECT(c)), x, y, type);
}
AtkObject* frameChildAt(AtkComponent*, gint x, gint y, AtkCoordType type) {
    describe();
    return childAt(-1, x, y, type);
}

gboolean nodeGrabFocus(AtkComponent* c) {
    return focusForReader(bridge.tracker, indexOf(ATK_OBJECT(c)));
}

void frameExtents(AtkComponent*, gint* x, gint* y, gint* w, gint* h, AtkCoordType type) {
    int ox = 0, oy = 0, width = 0, height = 0;
    if (type == ATK_XY_SCREEN) glfw::windowPosition(ox, oy);
    glfw::windowSize(width, height);
    *x = ox, *y = oy, *w = width, *h = height;
}

// Action: one each, what a hand does.
gint actionCount(AtkAction*) { return 1; }
const gchar* actionName(AtkAction* a, gint i) {
    if (i != 0) return nullptr;
    switch (nodeOf(ATK_OBJECT(a)).role) {
        case ScreenRole::radio_button:
            return "select";
        case ScreenRole::image:
            return "play or pause";
        default:
            return "click";
    }
}
gboolean doAction(AtkAction* a, gint i) {
    return i == 0 && actForReader(bridge.tracker, indexOf(ATK_OBJECT(a)));
}

// Value: a slider's or the scroll bar's, 0 to 1, a pixel's step apart.
double step(const ScreenNode& n) { return 1.0 / trackLength(n); }
bool setValueTo(AtkValue* v, double value) {
    return setValueForReader(bridge.tracker, indexOf(ATK_OBJECT(v)), value);
}
void valueAndText(AtkValue* v, gdouble* value, gchar** text) {
    const ScreenNode& n = nodeOf(ATK_OBJECT(v));
    *value = n.value;
    if (text) *text = g_strdup(n.text);
}
AtkRange* valueRange(AtkValue*) { return atk_range_new(0.0, 1.0, nullptr); }
gdouble valueIncrement(AtkValue* v) { return step(nodeOf(ATK_OBJECT(v))); }
void putDouble(GValue* out, double d) {
    g_value_init(out, G_TYPE_DOUBLE);
    g_value_set_double(out, d);
}
void currentValue(AtkValue* v, GValue* out) { putDouble(out, nodeOf(ATK_OBJECT(v)).value); }
void minimumValue(AtkValue*, GValue* out) { putDouble(out, 0.0); }
void maximumValue(AtkValue*, GValue* out) { putDouble(out, 1.0); }
void minimumIncrement(AtkValue* v, GValue* out) { putDouble(out, step(nodeOf(ATK_OBJECT(v)))); }
gboolean setCurrentValue(AtkValue* v, const GValue* in) {
    GValue d = G_VALUE_INIT;
    g_value_init(&d, G_TYPE_DOUBLE);
    const bool ok = g_value_transform(in, &d) && setValueTo(v, g_value_get_double(&d));
    g_value_unset(&d);
    return ok;
}

// Text and EditableText: the field's text, ASCII, so characters are bytes.
const char* fieldText(AtkText* t) { return nodeOf(ATK_OBJECT(t)).text; }
gint textLength(AtkText* t) { return static_cast<gint>(std::strlen(fieldText(t))); }
gint clampOffset(AtkText* t, gint offset) {
    const gint length = textLength(t);
    return offset < 0 || offset > length ? length : offset;
}
gchar* textBetween(AtkText* t, gint start, gint end) {
    start = clampOffset(t, start), end = clampOffset(t, end);
    return g_strndup(fieldText(t) + start, end > start ? static_cast<gsize>(end - start) : 0);
}
gint caretOffset(AtkText* t) { return textLength(t); }
gunichar characterAt(AtkText* t, gint offset) {
    return offset >= 0 && offset < textLength(t) ? static_cast<gunichar>(fieldText(t)[offset]) : 0;
}
// The text around an offset: the field is one line, so every unit but a character is all of it.
gchar* unitAt(AtkText* t, gint offset, bool character, gint* start, gint* end) {
    const bool one = character && offset >= 0 && offset < textLength(t);
    *start = one ? offset : 0;
    *end = one ? offset + 1 : textLength(t);
    return textBetween(t, *start, *end);
}
gchar* stringAt(AtkText* t, gint offset, AtkTextGranularity unit, gint* start, gint* end) {
    return unitAt(t, offset, unit == ATK_TEXT_GRANULARITY_CHAR, start, end);
}
}  // namespace

// Any granularity, for any text of this process (see atk_text_get_string_at_offset below); what
// is not the field's gives the empty text.
gchar* fieldStringAt(AtkText* t, gint offset, AtkTextGranularity unit, gint* start, gint* end) {
    if (!bridge.on || !G_TYPE_CHECK_INSTANCE_TYPE(t, types.field)) {
        *start = *end = 0;
        return g_strdup("");
    }
    return stringAt(t, offset, unit, start, end);
}

namespace {
// The older question, which screen readers still ask for a line: by boundary, not granularity.
gchar* textAt(AtkText* t, gint offset, AtkTextBoundary boundary, gint* start, gint* end) {
    return unitAt(t, offset, boundary == ATK_TEXT_BOUNDARY_CHAR, start, end);
}

// One run of plain text: no attributes, from the first character to the last.
AtkAttributeSet* runAttributes(AtkText* t, gint, gint* start, gint* end) {
    *start = 0;
    *end = textLength(t);
    return nullptr;
}

// A reader's edits apply to the text as it will be once its earlier edits are typed.
void setTextContents(AtkEditableText* e, const gchar* text) {
    text = text ? text : "";
    replaceTextForReader(bridge.tracker, indexOf(ATK_OBJECT(e)), text, std::strlen(text));
}
void insertText(AtkEditableText* e, const gchar* text, gint length, gint* position) {
    text = text ? text : "";
    const std::size_t bytes = length < 0 ? std::strlen(text) : static_cast<std::size_t>(length);
    const int i = indexOf(ATK_OBJECT(e));
    const int was = static_cast<int>(std::strlen(editedText(bridge.tracker, i)));
    const int at = position && *position >= 0 && *position <= was ? *position : was;
    insertTextForReader(bridge.tracker, i, at, text, bytes);
    if (position)
        *position = static_cast<int>(std::strlen(editedText(bridge.tracker, i))) - (was - at);
}
void deleteText(AtkEditableText* e, gint start, gint end) {
    deleteTextForReader(bridge.tracker, indexOf(ATK_OBJECT(e)), start, end);
}

// ---- Types -------------------------------------------------------------------------------------

void applicationClassInit(gpointer c, gpointer) {
    auto* k = static_cast<AtkObjectClass*>(c);
    k->get_n_children = applicationChildCount;
    k->ref_child = applicationChild;
}
void frameClassInit(gpointer c, gpointer) {
    auto* k = static_cast<AtkObjectClass*>(c);
    k->get_n_children = frameChildCount;
    k->ref_child = frameChild;
    k->get_index_in_parent = frameIndex;
    k->ref_state_set = frameStates;
}
void nodeClassInit(gpointer c, gpointer) {
    auto* k = static_cast<AtkObjectClass*>(c);
    k->get_n_children = nodeChildCount;
    k->ref_child = nodeChild;
    k->get_index_in_parent = nodeIndex;
    k->ref_state_set = nodeStates;
    k->get_attributes = nodeAttributes;
}
void frameComponentInit(gpointer i, gpointer) {
    auto* c = static_cast<AtkComponentIface*>(i);
    c->get_extents = frameExtents;
    c->ref_accessible_at_point = frameChildAt;
}
void windowInit(gpointer, gpointer) {}
void componentInit(gpointer i, gpointer) {
    auto* c = static_cast<AtkComponentIface*>(i);
    c->get_extents = nodeExtents;
    c->grab_focus = nodeGrabFocus;
    c->ref_accessible_at_point = nodeChildAt;
}
void actionInit(gpointer i, gpointer) {
    auto* a = static_cast<AtkActionIface*>(i);
    a->get_n_actions = actionCount;
    a->get_name = actionName;
    a->do_action = doAction;
}
void valueInit(gpointer i, gpointer) {
    auto* v = static_cast<AtkValueIface*>(i);
    v->get_current_value = currentValue;
    v->get_maximum_value = maximumValue;
    v->get_minimum_value = minimumValue;
    v->get_minimum_increment = minimumIncrement;
    v->set_current_value = setCurrentValue;
    v->get_value_and_text = valueAndText;
    v->get_range = valueRange;
    v->get_increment = valueIncrement;
    v->set_value = [](AtkValue* o, gdouble value) { setValueTo(o, value); };
}
void textInit(gpointer i, gpointer) {
    auto* t = static_cast<AtkTextIface*>(i);
    t->get_text = textBetween;
    t->get_character_count = textLength;
    t->get_caret_offset = caretOffset;
    t->get_character_at_offset = characterAt;
    t->get_string_at_offset = stringAt;
    t->get_text_at_offset = textAt;
    t->get_run_attributes = runAttributes;
}
void editableTextInit(gpointer i, gpointer) {
    auto* e = static_cast<AtkEditableTextIface*>(i);
    e->set_text_contents = setTextContents;
    e->insert_text = insertText;
    e->delete_text = deleteText;
}

GType defineType(GType parent, const char* name, GClassInitFunc class_init) {
    GTypeInfo info = {};
    info.class_size = sizeof(NodeClass);
    info.class_init = class_init;
    info.instance_size = sizeof(Node);
    return g_type_register_static(parent, name, &info, GTypeFlags{});
}

void addInterface(GType type, GType iface, GInterfaceInitFunc init) {
    GInterfaceInfo info = {};
    info.interface_init = init;
    g_type_add_interface_static(type, iface, &info);
}

Types defineTypes() {
    Types t;
    t.application = defineType(ATK_TYPE_OBJECT, "GuiDemoApplication", applicationClassInit);
    t.frame = defineType(ATK_TYPE_OBJECT, "GuiDemoFrame", frameClassInit);
    addInterface(t.frame, ATK_TYPE_WINDOW, windowInit);
    addInterface(t.frame, ATK_TYPE_COMPONENT, frameComponentInit);
    t.node = defineType(ATK_TYPE_OBJECT, "GuiDemoNode", nodeClassInit);
    t.shape = defineType(t.node, "GuiDemoShape", nullptr);
    addInterface(t.shape, ATK_TYPE_COMPONENT, componentInit);
    t.widget = defineType(t.shape, "GuiDemoWidget", nullptr);
    addInterface(t.widget, ATK_TYPE_ACTION, actionInit);
    t.value = defineType(t.shape, "GuiDemoValue", nullptr);
    addInterface(t.value, ATK_TYPE_VALUE, valueInit);
    t.field = defineType(t.widget, "GuiDemoField", nullptr);
    addInterface(t.field, ATK_TYPE_TEXT, textInit);
    addInterface(t.field, ATK_TYPE_EDITABLE_TEXT, editableTextInit);
    return t;
}

// Every node has a place (Component), so that hit tests and review reach each one.
GType typeFor(ScreenRole r) {
    switch (r) {
        case ScreenRole::button:
        case ScreenRole::check_box:
        case ScreenRole::radio_button:
        case ScreenRole::drag_box:
        case ScreenRole::image:  // the animation strip, which plays and pauses
            return types.widget;
        case ScreenRole::slider:
        case ScreenRole::scroll_bar:
            return types.value;
        case ScreenRole::text_field:
            return types.field;
        default:
            return types.shape;
    }
}

AtkObject* makeObject(GType type, AtkRole role, const char* name, int index, AtkObject* parent) {
    auto* o = ATK_OBJECT(g_object_new(type, nullptr));
    reinterpret_cast<Node*>(o)->index = index;
    atk_object_set_role(o, role);
    atk_object_set_name(o, name);
    if (parent) atk_object_set_parent(o, parent);
    return o;
}

AtkObject* parentObject(int i) {
    const int parent = told().nodes[i].parent;
    return parent < 0 ? bridge.frame : bridge.objects[parent];
}

AtkObject* makeNodeObject(int i) {
    const ScreenNode& n = told().nodes[i];
    AtkObject* o = makeObject(typeFor(n.role), atkRole(n.role), nameOf(n), i, nullptr);
    if (hasDescription(n.role)) atk_object_set_description(o, n.text);
    return o;
}

void describe() {
    if (bridge.described) return;
    bridge.described = true;
    describeScreen(*bridge.state, *bridge.clock, bridge.next);
    startTracking(bridge.tracker, bridge.next, bridge.active, bridge.clock->t);
    bridge.focused = bridge.tracker.focus;
    for (int i = 0; i < told().count; ++i) bridge.objects[i] = makeNodeObject(i);
    // Parents come before their children, but are set once every object is made.
    for (int i = 0; i < told().count; ++i)
        atk_object_set_parent(bridge.objects[i], parentObject(i));
}

void screenRect(const ScreenRect& r, AtkRectangle& out) {
    int ox = 0, oy = 0;
    glfw::windowPosition(ox, oy);
    out.x = r.x + ox, out.y = r.y + oy, out.width = r.w, out.height = r.h;
}

AtkObject* root() { return bridge.application; }

// ATK's key event listeners, the AT-SPI bridge's among them, as a toolkit keeps them: each key is
// handed to every one before the program sees it (screenReaderTakesKey).
struct KeyListener {
    AtkKeySnoopFunc listener = nullptr;
    gpointer data = nullptr;
};
KeyListener key_listeners[8];

guint addKeyListener(AtkKeySnoopFunc listener, gpointer data) {
    for (guint k = 0; k < std::size(key_listeners); ++k) {
        if (key_listeners[k].listener == nullptr) {
            key_listeners[k] = {listener, data};
            return k + 1;
        }
    }
    return 0;
}

void removeKeyListener(guint id) {
    if (id >= 1 && id <= std::size(key_listeners)) key_listeners[id - 1] = {};
}
const gchar* toolkitName() { return "gui_demo"; }
const gchar* toolkitVersion() { return "1.0"; }

}  // namespace

void startAccessibility(const DemoState& state, const LoopClock& clock) {
    bridge.state = &state;
    bridge.clock = &clock;
    const char* off = std::getenv("NO_AT_BRIDGE");
    if (off != nullptr && std::strcmp(off, "1") == 0) return;
    // A screen reader's actions go through the pacer, and the window's focus is the glue's.
    if (!glfw::connected()) return;
    // Joined once the bus has answered (joinBus), which may be never.
    lookForAccessibilityBus();
}

namespace {

void joinBus() {
    types = defineTypes();
    auto* util = static_cast<AtkUtilClass*>(g_type_class_ref(ATK_TYPE_UTIL));
    util->get_root = root;
    util->get_toolkit_name = toolkitName;
    util->get_toolkit_version = toolkitVersion;
    util->add_key_event_listener = addKeyListener;
    util->remove_key_event_listener = removeKeyListener;
    bridge.application = makeObject(types.application, ATK_ROLE_APPLICATION,
                                    program_invocation_short_name, -1, nullptr);
    bridge.frame = makeObject(types.frame, ATK_ROLE_FRAME, window_title, -1, bridge.application);
    bridge.on = atk_bridge_adaptor_init(nullptr, nullptr) == 0;
}

}  // namespace

namespace {

// The window's focus as told: not before the bridge has settled on the bus.
bool windowActive() { return bridge.frames_joined >= settling_frames && glfw::windowFocused(); }

}  // namespace

bool screenReaderTakesKey(int key, int scancode, int action, int mods) {
    if (!bridge.on) return false;
    char text[2];
    AtkKeyEventStruct e;
    if (!atkKeyEvent(key, scancode, action, mods, text, e)) return false;
    bool taken = false;
    for (const KeyListener& k : key_listeners) {
        if (k.listener != nullptr && k.listener(&e, k.data) != 0) taken = true;
    }
    return taken;
}

void serveAccessibility() {
    if (!bridge.on) {
        // Looking for the bus: its answers arrive here, and it is joined once it has answered.
        if (accessibilityBus() != AccessibilityBus::looking) return;
        while (g_main_context_iteration(nullptr, FALSE)) continue;
        if (accessibilityBus() == AccessibilityBus::found) joinBus();
        return;
    }
    if (bridge.frames_joined < settling_frames) bridge.frames_joined += 1;
    const bool active = windowActive();
    if (bridge.described) {
        describeScreen(*bridge.state, *bridge.clock, bridge.next);
        // The keyboard's focus is the reader's, as it moves.
        if (glfw::keyboardFocus() >= 0) bridge.tracker.asked_focus = glfw::keyboardFocus();
        trackScreen(bridge.tracker, bridge.next, active, bridge.clock->t);
        for (int k = 0; k < bridge.tracker.count; ++k) tell(bridge.tracker.changes[k]);
    } else if (active != bridge.active) {
        // Before a reader looks in, only the window's own state is told.
        ScreenChange c;
        c.kind = ScreenChangeKind::window_active, c.on = active;
        tell(c);
    }
    const gint64 until = g_get_monotonic_time() + answering_us;
    bool asked = false;
    while (g_get_monotonic_time() < until) {
        if (g_main_context_iteration(nullptr, FALSE)) {
            asked = true;
        } else if (asked) {
            g_usleep(100);  // the reader's next question is a moment away
        } else {
            break;  // nobody is asking: back to the frames at once
        }
    }
}

}  // namespace gui_demo

// The AT-SPI bridge answers Text.GetStringAtOffset through ATK's atk_text_get_string_at_offset,
// which gives nothing for a granularity it does not know, and the bridge then falls back to a path
// that aborts the program: any client could end it with one call. This process's only text is the
// field's, which answers any granularity, so the program answers that entry itself: the dynamic
// linker prefers the program's definition to ATK's for the bridge's calls too.
extern "C" gchar* atk_text_get_string_at_offset(AtkText* text, gint offset,
                                                AtkTextGranularity granularity, gint* start_offset,
                                                gint* end_offset) {
    gint start = 0, end = 0;
    gchar* found = gui_demo::fieldStringAt(text, offset, granularity, &start, &end);
    if (start_offset) *start_offset = start;
    if (end_offset) *end_offset = end;
    return found;
}
