#include "InputFields.h"

namespace lamina {

const InputField *findInputField(QStringView key)
{
    for (const InputField &field : inputFields) {
        if (field.key == key)
            return &field;
    }
    return nullptr;
}

const InputField *findInputFieldByControl(QStringView control)
{
    for (const InputField &field : inputFields) {
        if (field.control == control)
            return &field;
    }
    return nullptr;
}

InputTexts defaultInputTexts()
{
    InputTexts texts;
    for (const InputField &field : inputFields)
        texts.insert(field.key.toString(), field.defaultText.toString());
    return texts;
}

}  // namespace lamina
