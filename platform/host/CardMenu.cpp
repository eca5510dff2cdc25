#include "platform/host/CardMenu.h"

#include "widget/strings/WidgetStrings.h"

#include <gtk/gtk.h>
#include <string>

namespace tandry {
namespace {

// The prefix of the card's actions in its window.
constexpr const char* actionPrefix = "card";

GMenuItem* item(const char* key, const char* action) {
    return g_menu_item_new(WidgetStrings::text(key).c_str(), action);
}

void append(GMenu* menu, GMenuItem* owned) {
    g_menu_append_item(menu, owned);
    g_object_unref(owned);
}

// The menu's model: what a card can do, in sections the popover separates.
GObjectPtr<GMenu> menuModel() {
    GObjectPtr<GMenu> menu(g_menu_new());

    const GObjectPtr<GMenu> cards(g_menu_new());
    append(cards.get(), item("host.menu.add", "card.add"));
    append(cards.get(), item("host.menu.remove", "card.remove"));
    g_menu_append_section(menu.get(), nullptr, G_MENU_MODEL(cards.get()));

    const GObjectPtr<GMenu> appearance(g_menu_new());
    for (const auto& [name, value] : cardAppearanceNames) {
        const std::string key = "host.menu.appearance." + std::string(name);
        const std::string action = "card.appearance::" + std::string(name);
        append(appearance.get(), item(key.c_str(), action.c_str()));
    }
    g_menu_append_section(menu.get(), WidgetStrings::text("host.menu.appearance").c_str(),
                          G_MENU_MODEL(appearance.get()));

    const GObjectPtr<GMenu> application(g_menu_new());
    append(application.get(), item("host.menu.startAtLogin", "card.start-at-login"));
    append(application.get(), item("host.menu.open", "card.open"));
    append(application.get(), item("host.menu.quit", "card.quit"));
    g_menu_append_section(menu.get(), nullptr, G_MENU_MODEL(application.get()));
    return menu;
}

} // namespace

struct CardMenu::Signals {
    static CardMenu& of(gpointer data) { return *static_cast<CardMenu*>(data); }

    static void add(GSimpleAction*, GVariant*, gpointer data) { of(data).actions_.addCard(); }
    static void remove(GSimpleAction*, GVariant*, gpointer data) { of(data).actions_.remove(); }
    static void open(GSimpleAction*, GVariant*, gpointer data) {
        of(data).actions_.openTaskManager();
    }
    static void quit(GSimpleAction*, GVariant*, gpointer data) { of(data).actions_.quit(); }

    static void chooseAppearance(GSimpleAction* action, GVariant* value, gpointer data) {
        const auto appearance = cardAppearanceNamed(g_variant_get_string(value, nullptr));
        if (!appearance) {
            return;
        }
        g_simple_action_set_state(action, value);
        of(data).actions_.chooseAppearance(*appearance);
    }

    static void switchStartAtLogin(GSimpleAction* action, GVariant* value, gpointer data) {
        CardMenu& menu = of(data);
        menu.actions_.setStartAtLogin(g_variant_get_boolean(value) ? StartAtLogin::on
                                                                   : StartAtLogin::off);
        // The entry as it is now, also where it could not be changed.
        g_simple_action_set_state(
            action, g_variant_new_boolean(menu.actions_.startAtLogin() == StartAtLogin::on));
    }

    static void rightClick(GtkGestureClick* gesture, int, double x, double y, gpointer data) {
        // The menu takes the pointer from here on, so this press never ends
        // here: the gesture lets it go, or the next press would only end it.
        gtk_event_controller_reset(GTK_EVENT_CONTROLLER(gesture));
        of(data).open(std::pair{x, y});
    }

    static void longPress(GtkGestureLongPress* gesture, double x, double y, gpointer data) {
        gtk_gesture_set_state(GTK_GESTURE(gesture), GTK_EVENT_SEQUENCE_CLAIMED);
        of(data).open(std::pair{x, y});
    }

    static gboolean menuKey(GtkWidget*, GVariant*, gpointer data) {
        of(data).open();
        return TRUE;
    }
};

CardMenu::CardMenu(GtkWindow* window, CardAppearance appearance, Actions actions)
    : window_(window), actions_(std::move(actions)), group_(g_simple_action_group_new()) {
    const std::string appearanceName(cardAppearanceName(appearance));
    const GActionEntry entries[] = {
        {"add", &Signals::add, nullptr, nullptr, nullptr, {}},
        {"remove", &Signals::remove, nullptr, nullptr, nullptr, {}},
        {"appearance", nullptr, "s", "'desktop'", &Signals::chooseAppearance, {}},
        {"start-at-login", nullptr, nullptr, "false", &Signals::switchStartAtLogin, {}},
        {"open", &Signals::open, nullptr, nullptr, nullptr, {}},
        {"quit", &Signals::quit, nullptr, nullptr, nullptr, {}},
    };
    g_action_map_add_action_entries(G_ACTION_MAP(group_.get()), entries, G_N_ELEMENTS(entries),
                                    this);
    appearanceAction_ =
        G_SIMPLE_ACTION(g_action_map_lookup_action(G_ACTION_MAP(group_.get()), "appearance"));
    startAtLoginAction_ =
        G_SIMPLE_ACTION(g_action_map_lookup_action(G_ACTION_MAP(group_.get()), "start-at-login"));
    setAppearance(appearance);
    gtk_widget_insert_action_group(GTK_WIDGET(window_), actionPrefix, G_ACTION_GROUP(group_.get()));

    const GObjectPtr<GMenu> model = menuModel();
    popover_ = gtk_popover_menu_new_from_model(G_MENU_MODEL(model.get()));
    gtk_popover_set_has_arrow(GTK_POPOVER(popover_), FALSE);
    gtk_popover_set_position(GTK_POPOVER(popover_), GTK_POS_BOTTOM);
    gtk_widget_set_halign(popover_, GTK_ALIGN_START);
    // Parented to the window, not the card, so that a click in the menu
    // never reaches the card's own gestures on its way up.
    gtk_widget_set_parent(popover_, GTK_WIDGET(window_));

    // Secondary clicks and long presses on the whole card, buttons included:
    // caught on the way down, before a tick button or the card sees them.
    GtkGesture* click = gtk_gesture_click_new();
    gtk_gesture_single_set_button(GTK_GESTURE_SINGLE(click), GDK_BUTTON_SECONDARY);
    gtk_event_controller_set_propagation_phase(GTK_EVENT_CONTROLLER(click), GTK_PHASE_CAPTURE);
    signals_.push_back(
        SignalConnection::connect(click, "pressed", G_CALLBACK(&Signals::rightClick), this));
    gtk_widget_add_controller(GTK_WIDGET(window_), GTK_EVENT_CONTROLLER(click));

    GtkGesture* press = gtk_gesture_long_press_new();
    gtk_gesture_single_set_touch_only(GTK_GESTURE_SINGLE(press), TRUE);
    gtk_event_controller_set_propagation_phase(GTK_EVENT_CONTROLLER(press), GTK_PHASE_CAPTURE);
    signals_.push_back(
        SignalConnection::connect(press, "pressed", G_CALLBACK(&Signals::longPress), this));
    gtk_widget_add_controller(GTK_WIDGET(window_), GTK_EVENT_CONTROLLER(press));

    GtkEventController* keys = gtk_shortcut_controller_new();
    gtk_shortcut_controller_add_shortcut(
        GTK_SHORTCUT_CONTROLLER(keys),
        gtk_shortcut_new(gtk_shortcut_trigger_parse_string("Menu|<Shift>F10"),
                         gtk_callback_action_new(&Signals::menuKey, this, nullptr)));
    gtk_widget_add_controller(GTK_WIDGET(window_), keys);
}

CardMenu::~CardMenu() {
    signals_.clear();
    // The window outlives the menu; it forgets the menu's actions and popover.
    gtk_widget_insert_action_group(GTK_WIDGET(window_), actionPrefix, nullptr);
    gtk_widget_unparent(popover_);
}

void CardMenu::open(std::optional<std::pair<double, double>> at) {
    g_simple_action_set_state(startAtLoginAction_,
                              g_variant_new_boolean(actions_.startAtLogin() == StartAtLogin::on));
    GdkRectangle target{0, 0, 1, 1};
    if (at) {
        target.x = static_cast<int>(at->first);
        target.y = static_cast<int>(at->second);
    } else if (GtkWidget* focus = gtk_root_get_focus(GTK_ROOT(window_))) {
        graphene_rect_t bounds;
        if (gtk_widget_compute_bounds(focus, GTK_WIDGET(window_), &bounds)) {
            target = {static_cast<int>(bounds.origin.x), static_cast<int>(bounds.origin.y),
                      static_cast<int>(bounds.size.width), static_cast<int>(bounds.size.height)};
        }
    }
    gtk_popover_set_pointing_to(GTK_POPOVER(popover_), &target);
    gtk_popover_popup(GTK_POPOVER(popover_));
}

bool CardMenu::isOpen() const {
    return gtk_widget_get_visible(popover_);
}

void CardMenu::setAppearance(CardAppearance appearance) {
    g_simple_action_set_state(
        appearanceAction_,
        g_variant_new_string(std::string(cardAppearanceName(appearance)).c_str()));
}

} // namespace tandry
