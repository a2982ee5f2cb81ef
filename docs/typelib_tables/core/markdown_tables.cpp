#include "markdown_tables.h"

#include <algorithm>

namespace {

std::string Code(const std::string& text) {
    return "`" + text + "`";
}

const TypeLibInterface* FindInterface(const TypeLibrary& library, const std::string& name) {
    auto found = std::find_if(library.interfaces.begin(), library.interfaces.end(),
                              [&](const TypeLibInterface& i) { return i.name == name; });
    return found == library.interfaces.end() ? nullptr : &*found;
}

// "{D4D43952-...}" -> "D4D43952-..." for the classid attribute.
std::string Bare(const std::string& guid) {
    if (guid.size() >= 2 && guid.front() == '{' && guid.back() == '}')
        return guid.substr(1, guid.size() - 2);
    return guid;
}

std::string Describe(const TypeLibParameter& p) {
    std::string text = Code(p.name) + " " + p.type;
    if (p.out)
        text += p.in ? ", in and out" : ", out";
    if (p.optional || p.defaultValue)
        text += ", optional";
    if (p.defaultValue)
        text += ", default " + Code(*p.defaultValue);
    return text;
}

std::string ArgumentList(const TypeLibMember& member) {
    std::string text;
    for (const TypeLibParameter& p : member.parameters) {
        if (p.retval)
            continue;
        text += (text.empty() ? "" : "<br>") + Describe(p);
    }
    return text.empty() ? "none" : text;
}

// What the call evaluates to: the retval parameter's type (without its
// pointer) and, for a method, its name. A property's value is the property.
std::string ScriptValue(const TypeLibMember& member) {
    for (const TypeLibParameter& p : member.parameters) {
        if (p.retval) {
            std::string type = p.type;
            if (!type.empty() && type.back() == '*')
                type.pop_back();
            return member.kind.empty() && !p.name.empty() ? Code(p.name) + " " + type : type;
        }
    }
    return "none";
}

std::string MemberName(const TypeLibMember& member) {
    return member.kind.empty() ? Code(member.name) : Code(member.name) + " (" + member.kind + ")";
}

std::string IdentityTable(const TypeLibrary& library, const TypeLibClass& control,
                          const TypeLibInterface* methods, const TypeLibInterface* events) {
    std::string text = "| Item | Name | Identifier |\n|---|---|---|\n";
    std::string classKind = control.control ? "control" : "class";
    if (control.creatable)
        classKind += ", creatable";
    text += "| Class (" + classKind + ") | " + Code(control.name) + " | " + Code(control.clsid) +
            " |\n";
    text += "| Type library, version " + library.version + " | " + Code(library.name) + " | " +
            Code(library.libid) + " |\n";
    if (methods) {
        text += std::string("| Scripting interface (") + (methods->dual ? "dual" : "dispatch") +
                ") | " + Code(methods->name) + " | " + Code(methods->iid) + " |\n";
    }
    if (events)
        text += "| Event interface | " + Code(events->name) + " | " + Code(events->iid) + " |\n";
    return text;
}

std::string Markup(const TypeLibClass& control, const TypeLibInterface* events,
                   const std::string& objectId) {
    std::string text = "```html\n<object id=\"" + objectId +
                       "\" classid=\"clsid:" + Bare(control.clsid) + "\"></object>\n";
    if (events) {
        for (const TypeLibMember& event : events->members) {
            std::string names;
            for (const TypeLibParameter& p : event.parameters)
                names += (names.empty() ? "" : ", ") + p.name;
            text += "<script for=\"" + objectId + "\" event=\"" + event.name + "(" + names +
                    ")\">\n</script>\n";
        }
    }
    return text + "```\n";
}

std::string MethodTable(const TypeLibInterface& methods) {
    std::string text = "Methods of " + Code(methods.name) +
                       ":\n\n| DISPID | Method | Arguments, in order | Value in script |\n"
                       "|---|---|---|---|\n";
    for (const TypeLibMember& m : methods.members) {
        text += "| " + std::to_string(m.dispid) + " | " + MemberName(m) + " | " + ArgumentList(m) +
                " | " + ScriptValue(m) + " |\n";
    }
    return text;
}

std::string EventTable(const TypeLibInterface& events) {
    std::string text = "Events of " + Code(events.name) +
                       ":\n\n| DISPID | Event | Arguments, in order |\n|---|---|---|\n";
    for (const TypeLibMember& e : events.members)
        text += "| " + std::to_string(e.dispid) + " | " + Code(e.name) + " | " + ArgumentList(e) +
                " |\n";
    return text;
}

} // namespace

std::string MarkdownTables(const TypeLibrary& library, const std::string& objectId) {
    std::string text;
    for (const TypeLibClass& control : library.classes) {
        const TypeLibInterface* methods = FindInterface(library, control.defaultInterface);
        const TypeLibInterface* events = FindInterface(library, control.defaultSource);
        if (!text.empty())
            text += "\n";
        text += IdentityTable(library, control, methods, events) + "\n" +
                Markup(control, events, objectId);
        if (methods)
            text += "\n" + MethodTable(*methods);
        if (events)
            text += "\n" + EventTable(*events);
    }
    return text;
}
