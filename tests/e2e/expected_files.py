"""What the program must write, worked out independently of its code.

The catalogue is read with Python's sqlite3 module, the arithmetic is done
exactly with fractions and rounded where the program rounds (80-bit extended
intermediates, binary64 results), and the files are built byte by byte.
"""

import math
import sqlite3
import struct
from dataclasses import dataclass
from fractions import Fraction

RECORD_SIZE = 416
CP = "cp1251"


# --- Arithmetic ------------------------------------------------------------


def round_bits(x: Fraction, bits: int) -> Fraction:
    """x rounded to `bits` significant bits, halves to even (normal range only)."""
    if x == 0:
        return x
    sign = -1 if x < 0 else 1
    a = abs(x)
    exponent = a.numerator.bit_length() - a.denominator.bit_length()
    if Fraction(2) ** exponent > a:
        exponent -= 1
    scale = Fraction(2) ** (bits - 1 - exponent)
    scaled = a * scale
    n = math.floor(scaled)
    rest = scaled - n
    if rest > Fraction(1, 2) or (rest == Fraction(1, 2) and n % 2 == 1):
        n += 1
    return sign * n / scale


def extended(x: Fraction) -> Fraction:
    return round_bits(x, 64)


def extended_product(*factors: float) -> float:
    """The product formed in extended precision and stored as binary64."""
    product = Fraction(factors[0])
    for factor in factors[1:]:
        product = extended(product * Fraction(factor))
    return float(product)


def round_to_hundredths(x: float) -> float:
    """trunc(x / 0.01 + 0.5) * 0.01 in extended precision, stored as binary64."""
    hundredth = Fraction(0.01)
    shifted = extended(extended(Fraction(x) / hundredth) + Fraction(1, 2))
    return float(extended(math.trunc(shifted) * hundredth))


def money(x: float, separator: str) -> str:
    """Format "0.00": the exact decimal expansion rounded half away from zero."""
    hundreds = abs(Fraction(x)) * 100
    n = math.floor(hundreds)
    if hundreds - n >= Fraction(1, 2):
        n += 1
    sign = "-" if x < 0 and n else ""
    return f"{sign}{n // 100}{separator}{n % 100:02d}"


def through_text(x: float) -> float:
    """A numeric column as the program reads it: written with 15 significant
    digits, then read back."""
    return float(f"{x:.15g}")


# --- Catalogue -------------------------------------------------------------


@dataclass
class Product:
    number: int
    sku: bytes
    name: bytes
    price: float
    min_quantity: int
    packing: int
    volume: float
    weight: float
    image: bytes


def read_options(db_path: str) -> dict:
    with sqlite3.connect(db_path) as db:
        db.text_factory = bytes
        return {
            k.decode(CP): v.decode(CP) for k, v in db.execute("SELECT Option, Value FROM options")
        }


def filtered_products(db_path: str, name_filter: str) -> list:
    """The products a name filter shows, numbered as the grid numbers them."""
    with sqlite3.connect(db_path) as db:
        db.text_factory = bytes
        rows = db.execute(
            "SELECT SKU, Name, Price, MinQuantity, Packing, Volume, Weight, Image "
            "FROM catalogue WHERE Name LIKE CAST(? AS TEXT) ORDER BY SKU ASC",
            (b"%" + name_filter.encode(CP) + b"%",),
        ).fetchall()
    return [
        Product(
            number=i,
            sku=sku[:14],
            name=name[:100],
            price=through_text(price),
            min_quantity=int(min_quantity),
            packing=int(packing),
            volume=through_text(volume),
            weight=through_text(weight),
            image=image[:255],
        )
        for i, (sku, name, price, min_quantity, packing, volume, weight, image) in enumerate(
            rows, start=1
        )
    ]


# --- The .order file -------------------------------------------------------


@dataclass
class Line:
    product: Product
    quantity: int


def counted(text: bytes, capacity: int) -> bytes:
    return bytes([len(text)]) + text + bytes(capacity - len(text))


def order_record(line: Line) -> bytes:
    p = line.product
    record = (
        struct.pack("<i", p.number)
        + counted(p.sku, 14)
        + counted(p.name, 100)
        + struct.pack("<dii", p.price, p.min_quantity, p.packing)
        + struct.pack("<dd", p.volume, p.weight)
        + counted(p.image, 255)
        + struct.pack("<ii", line.quantity, 0)
    )
    assert len(record) == RECORD_SIZE
    return record


def order_file(lines: list) -> bytes:
    return struct.pack("<i", len(lines)) + b"".join(order_record(line) for line in lines)


# --- The order document ----------------------------------------------------


@dataclass
class Customer:
    company_type: int
    company: str
    tin: str
    phones: str
    contact_person: str
    email: str


COMPANY_TYPES = ["ООО", "ИП", "ПБОЮЛ", "ЗАО"]


def escaped(text: bytes) -> bytes:
    for raw, entity in ((b"&", b"&amp;"), (b"<", b"&lt;"), (b">", b"&gt;"), (b'"', b"&quot;")):
        text = text.replace(raw, entity)
    return text


def price_factor(page_rate: str, euro_index: str) -> float:
    """The rate as read from the rates page times the catalogue's factor."""
    euro_rate = round_to_hundredths(float(page_rate.replace(",", ".")))
    return extended_product(euro_rate, float(euro_index))


def totals(lines: list, factor: float, separator: str) -> tuple:
    """The three total texts of the order view."""
    money_sum = weight_sum = volume_sum = 0.0
    for line in lines:
        p = line.product
        money_sum += round_to_hundredths(extended_product(p.price, factor, line.quantity))
        weight_sum += round_to_hundredths(extended_product(float(line.quantity), p.weight))
        volume_sum += round_to_hundredths(extended_product(float(line.quantity), p.volume))
    cubic_metres = float(extended(extended(Fraction(volume_sum) / 1000) * extended(Fraction(6, 5))))
    return (
        money(money_sum, separator) + " руб.",
        money(cubic_metres, separator) + " м.куб.",
        money(weight_sum, separator) + " кг.",
    )


def document_lines(lines: list, factor: float, customer: Customer, separator: str) -> list:
    """The document's lines without their CR LF, as Windows-1251 bytes. The
    date stamp of line 4 is left as None: it is the moment of writing."""

    def cp(text: str) -> bytes:
        return text.encode(CP)

    money_text, volume_text, weight_text = totals(lines, factor, separator)
    rows = []
    for i, line in enumerate(lines, start=1):
        p = line.product
        rows.append(
            b"<tr><td>%d</td><td>%s</td><td>%s</td><td align=\"right\">%s</td>"
            b"<td align=\"right\">%d</td><td align=\"right\">%s</td></tr>"
            % (
                i,
                escaped(p.sku),
                escaped(p.name),
                cp(money(extended_product(p.price, factor), separator)),
                line.quantity,
                cp(money(extended_product(p.price, factor, line.quantity), separator)),
            )
        )
    return [
        cp("<head><style>html,table {font-size:10pt; font-family:Arial; "
           "border-collapse: collapse;}"),
        cp("td,th {padding: 5px; border:#333 1px solid; }</style></head>"),
        cp("<html><body>"),
        None,
        cp("<b>Организация:</b> ")
        + cp(COMPANY_TYPES[customer.company_type])
        + b" "
        + escaped(cp(customer.company))
        + b"<br /><br />",
        cp("<b>ИНН:</b> ") + escaped(cp(customer.tin)) + b"<br /><br />",
        cp("<b>Телефоны:</b> ") + escaped(cp(customer.phones)) + b"<br /><br />",
        cp("<b>Контактное лицо:</b> ") + escaped(cp(customer.contact_person)) + b"<br /><br />",
        cp("<b>Эл. почта:</b> ") + escaped(cp(customer.email)) + b"<br /><br />",
        cp(
            '<table><tr><td width="50px"><b>№</b></td><td width="90px"><b>Артикул</b></td>'
            '<td width="180px"><b>Наименование товара</b></td><td width="80px"><b>Цена, руб.</b>'
            '</td><td width="80px"><b>Кол-во</b></td><td width="100px"><b>Сумма, руб.</b></td></tr>'
        ),
        *rows,
        cp('<tr><td colspan="5"><b>Итого:</b></td><td align="right"><b>')
        + cp(money_text.replace("руб.", "", 1))
        + b"</b></td></tr></table><br /><br />",
        cp("Расчетный курс евро: " + money(factor, separator) + " руб.<br /><br />"),
        cp("Общая сумма: " + money_text + "<br /><br />"),
        cp("Общий объем: " + volume_text + "<br /><br />"),
        cp("Общий вес: " + weight_text + "<br /><br />"),
        cp("</body></html>"),
    ]


def date_stamp_prefix() -> bytes:
    return "<b><font size=\"3\">Заказ от &nbsp;&nbsp;".encode(CP)
