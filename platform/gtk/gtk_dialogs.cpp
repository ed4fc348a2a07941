// The dialog module: modal dialogs and message boxes with GTK 3. The saver opens this
// module only when one is shown, so a saver run never loads GTK at all.
#include <gdk/gdkkeysyms.h>
#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include <cstdlib>
#include <map>

#include "platform/messages.h"
#include "platform/unix/dialog_module.h"

namespace {

const DialogModuleHost* saver = nullptr;

struct GtkDialogState {
    GtkWidget* window = nullptr;
    std::map<int32_t, GtkWidget*> controls;
    DialogProcedure procedure = nullptr;
    bool ended = false;
    intptr_t result = 0;
};

bool StartGtk() {
    static int started = -1;
    if (started < 0) {
        setenv("NO_AT_BRIDGE", "1", 0);  // no accessibility bus to complain about
        started = gtk_init_check(nullptr, nullptr) ? 1 : 0;
        // GDK put in its own handlers; ours go back on top and hand GDK's errors on.
        if (started) saver->installErrorHandlers(true);
    }
    return started == 1;
}

gboolean WakeUp(gpointer) { return G_SOURCE_CONTINUE; }

// Runs GTK until *done, or until a stop signal asks the process to end.
void RunModalLoop(const bool* done) {
    const guint timer = g_timeout_add(100, WakeUp, nullptr);
    while (!*done && !*saver->stopRequested) gtk_main_iteration_do(TRUE);
    g_source_remove(timer);
}

PlatformWindow Handle(GtkDialogState* state) { return reinterpret_cast<PlatformWindow>(state); }
GtkDialogState* State(PlatformWindow dialog) { return reinterpret_cast<GtkDialogState*>(dialog); }

void Command(GtkDialogState* state, int32_t id) {
    state->procedure(Handle(state), WM_COMMAND, static_cast<uintptr_t>(id) & 0xFFFF, 0);
}

void OnClicked(GtkWidget* widget, gpointer data) {
    Command(static_cast<GtkDialogState*>(data), GPOINTER_TO_INT(g_object_get_data(G_OBJECT(widget), "control-id")));
}

// The close box and Escape are the Cancel button's command, as in a Windows dialog.
gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer data) {
    Command(static_cast<GtkDialogState*>(data), IDCANCEL);
    return TRUE;
}

gboolean OnKey(GtkWidget*, GdkEventKey* event, gpointer data) {
    if (event->keyval != GDK_KEY_Escape) return FALSE;
    Command(static_cast<GtkDialogState*>(data), IDCANCEL);
    return TRUE;
}

// Dialog units: a quarter of the font's average character width across, an eighth of its
// height down.
void DialogUnits(GtkWidget* window, double* across, double* down) {
    PangoLayout* layout = gtk_widget_create_pango_layout(window, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    int width = 0, height = 0;
    pango_layout_get_pixel_size(layout, &width, &height);
    g_object_unref(layout);
    *across = ((width / 26 + 1) / 2) / 4.0;
    *down = height / 8.0;
}

GtkWidget* MakeControl(const DialogControl& control, GtkDialogState* state) {
    GtkWidget* widget = nullptr;
    switch (control.kind) {
    case DialogControlKind::DefaultButton:
    case DialogControlKind::Button:
        widget = gtk_button_new_with_label(control.text);
        g_signal_connect(widget, "clicked", G_CALLBACK(OnClicked), state);
        break;
    case DialogControlKind::CheckBox:
        widget = gtk_check_button_new_with_label(control.text);
        g_signal_connect(widget, "clicked", G_CALLBACK(OnClicked), state);
        break;
    case DialogControlKind::Text:
        widget = gtk_label_new(control.text);
        gtk_label_set_xalign(GTK_LABEL(widget), 0.0f);
        gtk_label_set_yalign(GTK_LABEL(widget), 0.0f);
        break;
    }
    g_object_set_data(G_OBJECT(widget), "control-id", GINT_TO_POINTER(control.id));
    return widget;
}

// Owned by a window of another program: kept above it, and placed at its corner as a
// dialog at 0, 0 is placed on Windows.
void SetOwner(GtkWidget* window, PlatformWindow owner) {
    gtk_widget_realize(window);
    GdkDisplay* display = gtk_widget_get_display(window);
    if (owner == 0 || !GDK_IS_X11_DISPLAY(display)) {
        gtk_window_move(GTK_WINDOW(window), 0, 0);
        return;
    }
    gdk_x11_display_error_trap_push(display);
    GdkWindow* foreign = gdk_x11_window_foreign_new_for_display(display, static_cast<Window>(owner));
    if (foreign != nullptr) {
        gdk_window_set_transient_for(gtk_widget_get_window(window), foreign);
        int x = 0, y = 0;
        gdk_window_get_origin(foreign, &x, &y);
        gtk_window_move(GTK_WINDOW(window), x, y);
        g_object_unref(foreign);
    }
    gdk_x11_display_error_trap_pop_ignored(display);
}

intptr_t DialogBox(const DialogTemplate& dialog, PlatformWindow owner, DialogProcedure procedure) {
    if (!StartGtk()) {
        saver->logError("cannot show \"%s\": no display", dialog.caption);
        return -1;
    }
    GtkDialogState state;
    state.procedure = procedure;
    state.window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    GtkWindow* window = GTK_WINDOW(state.window);
    gtk_window_set_title(window, dialog.caption);
    gtk_window_set_type_hint(window, GDK_WINDOW_TYPE_HINT_DIALOG);
    gtk_window_set_resizable(window, FALSE);
    gtk_window_set_modal(window, TRUE);
    g_signal_connect(state.window, "delete-event", G_CALLBACK(OnDelete), &state);
    g_signal_connect(state.window, "key-press-event", G_CALLBACK(OnKey), &state);

    double across = 0, down = 0;
    DialogUnits(state.window, &across, &down);
    GtkWidget* fixed = gtk_fixed_new();
    gtk_widget_set_size_request(fixed, static_cast<int>(dialog.width * across + 0.5),
                                static_cast<int>(dialog.height * down + 0.5));
    gtk_container_add(GTK_CONTAINER(state.window), fixed);

    GList* tabOrder = nullptr;
    GtkWidget* firstTabStop = nullptr;
    for (int32_t i = 0; i < dialog.controlCount; ++i) {
        const DialogControl& control = dialog.controls[i];
        GtkWidget* widget = MakeControl(control, &state);
        gtk_widget_set_size_request(widget, static_cast<int>(control.width * across + 0.5),
                                    static_cast<int>(control.height * down + 0.5));
        gtk_fixed_put(GTK_FIXED(fixed), widget, static_cast<int>(control.x * across + 0.5),
                      static_cast<int>(control.y * down + 0.5));
        if (control.kind == DialogControlKind::DefaultButton) {
            gtk_widget_set_can_default(widget, TRUE);
            gtk_window_set_default(window, widget);
        }
        if (control.kind != DialogControlKind::Text) {
            tabOrder = g_list_append(tabOrder, widget);
            if (firstTabStop == nullptr) firstTabStop = widget;
        }
        if (control.id != -1) state.controls[control.id] = widget;
    }
    // Tab follows the template's order, not GTK's reading order.
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    gtk_container_set_focus_chain(GTK_CONTAINER(fixed), tabOrder);
    G_GNUC_END_IGNORE_DEPRECATIONS
    g_list_free(tabOrder);

    SetOwner(state.window, owner);
    if (procedure(Handle(&state), WM_INITDIALOG, 0, 0) != 0 && firstTabStop != nullptr) {
        gtk_widget_grab_focus(firstTabStop);
    }
    if (!state.ended) {
        gtk_widget_show_all(state.window);
        RunModalLoop(&state.ended);
    }
    if (!state.ended) state.result = IDCANCEL;  // stopped by a signal: nothing is stored
    gtk_widget_destroy(state.window);
    while (gtk_events_pending()) gtk_main_iteration();
    return state.result;
}

void EndDialog(PlatformWindow dialog, intptr_t result) {
    GtkDialogState* state = State(dialog);
    state->ended = true;
    state->result = result;
}

void CheckDlgButton(PlatformWindow dialog, int32_t id, bool checked) {
    auto found = State(dialog)->controls.find(id);
    if (found != State(dialog)->controls.end() && GTK_IS_TOGGLE_BUTTON(found->second)) {
        gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(found->second), checked);
    }
}

bool IsDlgButtonChecked(PlatformWindow dialog, int32_t id) {
    auto found = State(dialog)->controls.find(id);
    return found != State(dialog)->controls.end() && GTK_IS_TOGGLE_BUTTON(found->second) &&
           gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(found->second));
}

void OnMessageBoxResponse(GtkDialog*, gint, gpointer data) { *static_cast<bool*>(data) = true; }

void MessageBox(const char* text, const char* caption) {
    if (!StartGtk()) return;
    GtkWidget* box = gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, GTK_MESSAGE_OTHER, GTK_BUTTONS_OK, "%s", text);
    gtk_window_set_title(GTK_WINDOW(box), caption);
    gtk_window_set_keep_above(GTK_WINDOW(box), TRUE);
    bool done = false;
    g_signal_connect(box, "response", G_CALLBACK(OnMessageBoxResponse), &done);
    gtk_widget_show_all(box);
    RunModalLoop(&done);
    gtk_widget_destroy(box);
    while (gtk_events_pending()) gtk_main_iteration();
}

}  // namespace

extern "C" __attribute__((visibility("default"))) bool BrisaloOpenDialogModule(int32_t version,
                                                                               const DialogModuleHost* host,
                                                                               DialogModule* module) {
    if (version != kDialogModuleVersion || host == nullptr || module == nullptr) return false;
    saver = host;
    *module = DialogModule{DialogBox, EndDialog, CheckDlgButton, IsDlgButtonChecked, MessageBox};
    return true;
}
