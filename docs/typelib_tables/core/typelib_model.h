// What a page author needs to know of a control's type library, as plain
// data: the classes, the scriptable interfaces and their members. Filled by
// the Windows reader, written out as Markdown tables by the core.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Text is UTF-8.
struct TypeLibParameter {
    std::string name;
    std::string type; // as declared: "BSTR", "ULONG", "BSTR*"
    bool in = false;
    bool out = false;
    bool retval = false;
    bool optional = false;
    std::optional<std::string> defaultValue; // as script writes it: 0, "", true
};

struct TypeLibMember {
    int32_t dispid = 0;
    std::string name;
    std::string kind; // "" for a method, "property get" / "property put"
    std::string resultType;
    std::vector<TypeLibParameter> parameters;
};

struct TypeLibInterface {
    std::string name;
    std::string iid;   // "{...}"
    bool dual = false; // otherwise a dispinterface
    std::vector<TypeLibMember> members;
};

struct TypeLibClass {
    std::string name;
    std::string clsid; // "{...}"
    bool control = false;
    bool creatable = false;
    std::string defaultInterface; // names; empty when there is none
    std::string defaultSource;
};

struct TypeLibrary {
    std::string name;
    std::string libid;
    std::string version; // "1.0"
    std::vector<TypeLibClass> classes;
    std::vector<TypeLibInterface> interfaces;
};
