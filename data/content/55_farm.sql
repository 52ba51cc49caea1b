-- Crops (grain) and animals: what a farm building of the same Type raises. Every Cycle weeks
-- after the product was chosen it yields Coefficient of Product per 100 workers; a name with
-- two products has two rows. The first Fallow weeks of a cycle prepare the ground, during the
-- rest the staff is locked in. Education is what the producers need to raise it.

INSERT INTO grain (Name, Type, Cycle, Growth, Fallow, Education, Product, Coefficient) VALUES
  ('貧しい麦',       '畑',   4, 3, 1,  0, '小麦', 1200),
  ('種芋',           '畑',   5, 4, 1, 10, '芋',   1600),
  ('丈夫な麦',       '畑',   4, 3, 1, 20, '小麦', 1700),
  ('黄金の麦',       '畑',   4, 3, 1, 45, '小麦', 2600),
  ('貧しい稲',       '水田', 5, 4, 1, 10, '米',   1900),
  ('普通の稲',       '水田', 5, 4, 1, 30, '米',   2600),
  ('餓死知らずの稲', '水田', 4, 3, 1, 50, '米',   3200);

INSERT INTO animal (Name, Type, Cycle, Growth, Fallow, Education, Product, Coefficient) VALUES
  ('貧弱羊',     '牧場', 6, 4, 2,  0, '羊肉', 3600),
  ('貧弱羊',     '牧場', 6, 4, 2,  0, '羊毛',  300),
  ('丈夫な羊',   '牧場', 6, 4, 2, 25, '羊肉', 4800),
  ('丈夫な羊',   '牧場', 6, 4, 2, 25, '羊毛',  600),
  ('貧弱豚',     '牧場', 5, 4, 1, 10, '豚肉', 4000),
  ('肥えた豚',   '牧場', 5, 4, 1, 35, '豚肉', 5500),
  ('貧弱牛',     '牧場', 8, 6, 2, 20, '牛肉', 5600),
  ('貧弱牛',     '牧場', 8, 6, 2, 20, '牛革',  400),
  ('立派な牛',   '牧場', 8, 6, 2, 45, '牛肉', 7600),
  ('立派な牛',   '牧場', 8, 6, 2, 45, '牛革',  700),
  ('仔馬',       '牧場', 10, 8, 2, 30, '駄馬',  150),
  ('名馬の血統', '牧場', 10, 8, 2, 60, '軍馬',  150),
  ('近海の小魚', '港',   2, 2, 0,  0, '小魚', 1200),
  ('沖の大魚',   '港',   3, 3, 0, 30, '大魚', 1800);
