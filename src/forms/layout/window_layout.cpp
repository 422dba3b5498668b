#include "forms/layout/window_layout.h"

#include "forms/layout/insertion_tables.h"
#include "settings/redirect_settings.h"

namespace vantorix {

std::span<const std::string> itemsOf(ItemList list) {
    switch (list) {
        case ItemList::None:
            return {};
        case ItemList::Ports:
            return comPortItems();
        case ItemList::Baud:
            return baudItems();
        case ItemList::Parity:
            return parityItems();
        case ItemList::StopBits:
            return stopBitItems();
        case ItemList::DataLength:
            return dataLengthItems();
        case ItemList::Handshake:
            return handshakeItems();
        case ItemList::EndOfLine:
            return endOfLineItems();
        case ItemList::HotKeys:
            return hotKeyItems();
        case ItemList::SpecialKeys:
            return specialKeyItems();
        case ItemList::SearchCharacters:
            return searchCharacterItems();
        case ItemList::HotKeyCharacters:
            return hotKeyCharacterItems();
    }
    return {};
}

}  // namespace vantorix
