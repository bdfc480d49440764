// The skin INI's vocabulary: the names of classes, parts, states, properties and enumeration
// values of the platform's visual styles, turned into the numbers that property keys are packed
// from. Every lookup ignores case; an unknown name gives 0 (-1 for enumeration values).
#pragma once
#include <windows.h>
// The property, part and state numbers of the platform's visual styles (TMT_*, WP_*, SBP_*).
#include <vssym32.h>

// Value types of a skin property.
enum QorSkinValueType {
    qorSkinString = 1,
    qorSkinInt = 2,
    qorSkinBool = 3,
    qorSkinColor = 4,
    qorSkinRect = 5,
    qorSkinFont = 6,
    qorSkinIntList = 7,
    qorSkinEnum = 8,
    qorSkinSize = 9,
};

int LookupClassId(LPCWSTR lpszClass);
// The part among the parts of that class only.
int LookupPartId(LPCWSTR lpszPart, LPCWSTR lpszClass);
// States are listed under a part name, or under a class name for sections without a part.
int LookupStateId(LPCWSTR lpszState, LPCWSTR lpszPartOrClass);
// *pnType is written only when the name is known.
int LookupPropertyId(LPCWSTR lpszName, int* pnType);
int LookupEnumValue(LPCWSTR lpszValue, LPCWSTR lpszProperty);
