-- Occupations of the people and the classes an army can be formed in.

-- The stored occupation word and the word the screens show.
INSERT INTO worker (OccupationE, OccupationJ) VALUES
  ('Producer',    '生産者'),
  ('Merchant',    '商人'),
  ('Engineer',    '技術者'),
  ('Constructor', '建設者'),
  ('Soldier',     '兵士');

-- Army classes; the battle draws and matches them by these exact words.
INSERT INTO class (NameJ) VALUES
  ('セイバー'),
  ('ランサー'),
  ('ライダー'),
  ('アーチャー');
