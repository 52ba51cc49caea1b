-- Building kinds. Area is the area Type a kind stands on; Succession names the kind it
-- replaces when upgraded; Land is its size (for shops the standing-order places, for piers the
-- contracts and weight class, for churches and hospitals their level). Men is the staff, or the
-- residents of a house. Occupation is the word of the people who work there; houses (Resident),
-- the palace (Palace) and the schools, churches, hospitals and piers (Facility) have no staff.
-- A kind that stands on several area types has one row per type with the same values. The
-- new-game reset opens the eight starting kinds; the weekly unlock ladder opens the rest.

-- Houses: a finished house is never demolished. The first one leaves room to recruit.
INSERT INTO construct (Name, Type, Area, Land, Price, Men, Work, Occupation, Succession, Open) VALUES
  ('小さな住宅地',     '住宅地', '市街', 1,  250,  160,  50, 'Resident', '', 0),
  ('中くらいの住宅地', '住宅地', '市街', 2, 1600,  400, 200, 'Resident', '小さな住宅地', 0),
  ('大規模な住宅地',   '住宅地', '市街', 3, 6000, 1000, 600, 'Resident', '中くらいの住宅地', 0);

-- Constructors' yards: the first is cheap and quick, since no constructor exists yet.
INSERT INTO construct (Name, Type, Area, Land, Price, Men, Work, Occupation, Succession, Open) VALUES
  ('頼りない建設場',     '建設場', '市街', 1,  200,  30,  30, 'Constructor', '', 0),
  ('すこし頼れる建設場', '建設場', '市街', 2, 1500,  60, 200, 'Constructor', '頼りない建設場', 0),
  ('頼りになる建設場',   '建設場', '市街', 3, 5000, 150, 500, 'Constructor', 'すこし頼れる建設場', 0);

-- Shopping streets: Land is the number of standing orders of each kind.
INSERT INTO construct (Name, Type, Area, Land, Price, Men, Work, Occupation, Succession, Open) VALUES
  ('小規模商店街', '商店', '市街', 1,  300,  80,  60, 'Merchant', '', 0),
  ('中規模商店街', '商店', '市街', 2, 2500, 200, 300, 'Merchant', '小規模商店街', 0),
  ('大規模商店街', '商店', '市街', 3, 8000, 400, 800, 'Merchant', '中規模商店街', 0);

-- Workshops: the name decides which items each can make.
INSERT INTO construct (Name, Type, Area, Land, Price, Men, Work, Occupation, Succession, Open) VALUES
  ('小さな工房',       '工房', '市街', 1,  300,  30,  60, 'Engineer', '', 0),
  ('一人前の雑貨工房', '工房', '市街', 2, 1200,  50, 200, 'Engineer', '小さな工房', 0),
  ('一人前の防具工房', '工房', '市街', 2, 1500,  50, 240, 'Engineer', '', 0),
  ('一人前の武器工房', '工房', '市街', 2, 1500,  50, 240, 'Engineer', '', 0),
  ('立派な雑貨工房',   '工房', '市街', 3, 4000, 100, 500, 'Engineer', '一人前の雑貨工房', 0),
  ('立派な防具工房',   '工房', '市街', 3, 5000, 100, 600, 'Engineer', '一人前の防具工房', 0),
  ('立派な武器工房',   '工房', '市街', 3, 5000, 100, 600, 'Engineer', '一人前の武器工房', 0);

-- Barracks. The new game opens the kind 'ぼろぼろの兵舎' and builds one named 'ボロボロの兵舎':
-- both rows carry the same values so the built one counts as a barracks and the other can be built.
-- A kind succeeds one name only, so the starting barracks has its own way up, '建て直した兵舎',
-- opened with '機能的な兵舎' and the same in all but name and predecessor.
INSERT INTO construct (Name, Type, Area, Land, Price, Men, Work, Occupation, Succession, Open) VALUES
  ('ぼろぼろの兵舎',     '兵舎', '市街', 1,  300,  50,  60, 'Soldier', '', 0),
  ('ボロボロの兵舎',     '兵舎', '市街', 1,  300,  50,  60, 'Soldier', '', 0),
  ('機能的な兵舎',       '兵舎', '市街', 2, 2000, 150, 300, 'Soldier', 'ぼろぼろの兵舎', 0),
  ('建て直した兵舎',     '兵舎', '市街', 2, 2000, 150, 300, 'Soldier', 'ボロボロの兵舎', 0),
  ('威風堂々とした兵舎', '兵舎', '市街', 3, 8000, 400, 800, 'Soldier', '機能的な兵舎', 0);

-- Schools raise education every fourth week; the advanced ones replace the basic ones.
INSERT INTO construct (Name, Type, Area, Land, Price, Men, Work, Occupation, Succession, Open) VALUES
  ('寺子屋',             '学校', '市街', 1,  800, 0, 120, 'Facility', '', 0),
  ('建設訓練所',         '学校', '市街', 1, 2000, 0, 250, 'Facility', '', 0),
  ('一般商人養成所',     '学校', '市街', 1, 2000, 0, 250, 'Facility', '', 0),
  ('生産訓練所',         '学校', '市街', 1, 2000, 0, 250, 'Facility', '', 0),
  ('技術訓練所',         '学校', '市街', 1, 2000, 0, 250, 'Facility', '', 0),
  ('兵士訓練所',         '学校', '市街', 1, 2000, 0, 250, 'Facility', '', 0),
  ('エリート商人養成所', '学校', '市街', 2, 6000, 0, 600, 'Facility', '一般商人養成所', 0),
  ('高度技術訓練所',     '学校', '市街', 2, 6000, 0, 600, 'Facility', '技術訓練所', 0),
  ('練兵場',             '学校', '市街', 2, 6000, 0, 600, 'Facility', '兵士訓練所', 0),
  ('高度生産研究所',     '学校', '市街', 2, 6000, 0, 600, 'Facility', '生産訓練所', 0),
  ('高度建設訓練所',     '学校', '市街', 2, 6000, 0, 600, 'Facility', '建設訓練所', 0);

-- Churches and hospitals: Land is the level that treats returning wounded soldiers.
INSERT INTO construct (Name, Type, Area, Land, Price, Men, Work, Occupation, Succession, Open) VALUES
  ('寂れた教会',       '教会', '市街', 1,  1000, 0,  150, 'Facility', '', 0),
  ('鐘が鳴り響く聖堂', '教会', '市街', 2,  4000, 0,  400, 'Facility', '寂れた教会', 0),
  ('荘厳な大聖堂',     '教会', '市街', 3, 15000, 0, 1200, 'Facility', '鐘が鳴り響く聖堂', 0),
  ('街外れの診療所',   '病院', '市街', 1,  1200, 0,  150, 'Facility', '', 0),
  ('設備の整った医院', '病院', '市街', 2,  5000, 0,  400, 'Facility', '街外れの診療所', 0),
  ('信頼される大病院', '病院', '市街', 3, 15000, 0, 1200, 'Facility', '設備の整った医院', 0);

-- The palace: only ever upgraded, never built beside; equal Land so an upgrade always fits.
INSERT INTO construct (Name, Type, Area, Land, Price, Men, Work, Occupation, Succession, Open) VALUES
  ('みすぼらしい王宮', '王宮', '王宮', 1,  1000, 0,  100, 'Palace', '', 0),
  ('質素な王宮',       '王宮', '王宮', 1,  8000, 0,  600, 'Palace', 'みすぼらしい王宮', 0),
  ('なかなかの王宮',   '王宮', '王宮', 1, 16000, 0, 1200, 'Palace', '質素な王宮', 0),
  ('きらびやかな王宮', '王宮', '王宮', 1, 24000, 0, 2000, 'Palace', 'なかなかの王宮', 0),
  ('豪華絢爛な王宮',   '王宮', '王宮', 1, 32000, 0, 3000, 'Palace', 'きらびやかな王宮', 0);

-- Fields, ranches and paddies.
INSERT INTO construct (Name, Type, Area, Land, Price, Men, Work, Occupation, Succession, Open) VALUES
  ('小さな畑',           '畑',   '平原', 1,  150,  60,  40, 'Producer', '', 0),
  ('小さな畑',           '畑',   '丘陵', 1,  150,  60,  40, 'Producer', '', 0),
  ('限られた畑',         '畑',   '平原', 2, 1500, 150, 200, 'Producer', '小さな畑', 0),
  ('限られた畑',         '畑',   '丘陵', 2, 1500, 150, 200, 'Producer', '小さな畑', 0),
  ('見渡す限りの畑',     '畑',   '平原', 3, 5000, 400, 500, 'Producer', '限られた畑', 0),
  ('見渡す限りの畑',     '畑',   '丘陵', 3, 5000, 400, 500, 'Producer', '限られた畑', 0),
  ('小さな牧場',         '牧場', '平原', 1,  200,  30,  50, 'Producer', '', 0),
  ('小さな牧場',         '牧場', '丘陵', 1,  200,  30,  50, 'Producer', '', 0),
  ('のんびり歩ける牧場', '牧場', '平原', 2, 1500, 100, 200, 'Producer', '小さな牧場', 0),
  ('のんびり歩ける牧場', '牧場', '丘陵', 2, 1500, 100, 200, 'Producer', '小さな牧場', 0),
  ('見渡す限りの牧場',   '牧場', '平原', 3, 5000, 250, 500, 'Producer', 'のんびり歩ける牧場', 0),
  ('見渡す限りの牧場',   '牧場', '丘陵', 3, 5000, 250, 500, 'Producer', 'のんびり歩ける牧場', 0),
  ('小さな水田',         '水田', '平原', 1,  800,  60, 120, 'Producer', '', 0),
  ('小さな水田',         '水田', '海岸', 1,  800,  60, 120, 'Producer', '', 0),
  ('限られた水田',       '水田', '平原', 2, 2500, 150, 300, 'Producer', '小さな水田', 0),
  ('限られた水田',       '水田', '海岸', 2, 2500, 150, 300, 'Producer', '小さな水田', 0),
  ('見渡す限りの水田',   '水田', '平原', 3, 6000, 400, 600, 'Producer', '限られた水田', 0),
  ('見渡す限りの水田',   '水田', '海岸', 3, 6000, 400, 600, 'Producer', '限られた水田', 0);

-- Lumber camps, gathering huts and mines work the resources found in their area.
INSERT INTO construct (Name, Type, Area, Land, Price, Men, Work, Occupation, Succession, Open) VALUES
  ('みすぼらしい伐採所',   '伐採所',   '平原', 1,  300,  20,  60, 'Producer', '', 0),
  ('みすぼらしい伐採所',   '伐採所',   '森',   1,  300,  20,  60, 'Producer', '', 0),
  ('みすぼらしい伐採所',   '伐採所',   '海岸', 1,  300,  20,  60, 'Producer', '', 0),
  ('しっかりした伐採所',   '伐採所',   '平原', 2, 1500,  60, 200, 'Producer', 'みすぼらしい伐採所', 0),
  ('しっかりした伐採所',   '伐採所',   '森',   2, 1500,  60, 200, 'Producer', 'みすぼらしい伐採所', 0),
  ('しっかりした伐採所',   '伐採所',   '海岸', 2, 1500,  60, 200, 'Producer', 'みすぼらしい伐採所', 0),
  ('丈夫な伐採所',         '伐採所',   '平原', 3, 4000, 150, 500, 'Producer', 'しっかりした伐採所', 0),
  ('丈夫な伐採所',         '伐採所',   '森',   3, 4000, 150, 500, 'Producer', 'しっかりした伐採所', 0),
  ('丈夫な伐採所',         '伐採所',   '海岸', 3, 4000, 150, 500, 'Producer', 'しっかりした伐採所', 0),
  ('みすぼらしい採取小屋', '採取小屋', '平原', 1,  300,  20,  60, 'Producer', '', 0),
  ('みすぼらしい採取小屋', '採取小屋', '森',   1,  300,  20,  60, 'Producer', '', 0),
  ('みすぼらしい採取小屋', '採取小屋', '丘陵', 1,  300,  20,  60, 'Producer', '', 0),
  ('みすぼらしい採取小屋', '採取小屋', '海岸', 1,  300,  20,  60, 'Producer', '', 0),
  ('しっかりした採取小屋', '採取小屋', '平原', 2, 1500,  60, 200, 'Producer', 'みすぼらしい採取小屋', 0),
  ('しっかりした採取小屋', '採取小屋', '森',   2, 1500,  60, 200, 'Producer', 'みすぼらしい採取小屋', 0),
  ('しっかりした採取小屋', '採取小屋', '丘陵', 2, 1500,  60, 200, 'Producer', 'みすぼらしい採取小屋', 0),
  ('しっかりした採取小屋', '採取小屋', '海岸', 2, 1500,  60, 200, 'Producer', 'みすぼらしい採取小屋', 0),
  ('利便性のいい採取小屋', '採取小屋', '平原', 3, 4000, 150, 500, 'Producer', 'しっかりした採取小屋', 0),
  ('利便性のいい採取小屋', '採取小屋', '森',   3, 4000, 150, 500, 'Producer', 'しっかりした採取小屋', 0),
  ('利便性のいい採取小屋', '採取小屋', '丘陵', 3, 4000, 150, 500, 'Producer', 'しっかりした採取小屋', 0),
  ('利便性のいい採取小屋', '採取小屋', '海岸', 3, 4000, 150, 500, 'Producer', 'しっかりした採取小屋', 0),
  ('細い坑道',             '坑道',     '平原', 1, 1000,  40, 150, 'Producer', '', 0),
  ('細い坑道',             '坑道',     '丘陵', 1, 1000,  40, 150, 'Producer', '', 0),
  ('トロッコが通る坑道',   '坑道',     '平原', 2, 3000, 100, 400, 'Producer', '細い坑道', 0),
  ('トロッコが通る坑道',   '坑道',     '丘陵', 2, 3000, 100, 400, 'Producer', '細い坑道', 0),
  ('迷路のような坑道',     '坑道',     '平原', 3, 8000, 250, 800, 'Producer', 'トロッコが通る坑道', 0),
  ('迷路のような坑道',     '坑道',     '丘陵', 3, 8000, 250, 800, 'Producer', 'トロッコが通る坑道', 0);

-- The coast: fishing harbours catch fish, piers carry the trade with other nations.
INSERT INTO construct (Name, Type, Area, Land, Price, Men, Work, Occupation, Succession, Open) VALUES
  ('ひなびた漁港',     '港',   '海岸', 1,  1000,  40,  150, 'Producer', '', 0),
  ('人の絶えない漁港', '港',   '海岸', 2,  3000, 100,  400, 'Producer', 'ひなびた漁港', 0),
  ('活気のある漁港',   '港',   '海岸', 3,  8000, 250,  800, 'Producer', '人の絶えない漁港', 0),
  ('木製の桟橋',       '桟橋', '海岸', 1,  1500,   0,  200, 'Facility', '', 0),
  ('鉄製の桟橋',       '桟橋', '海岸', 2,  5000,   0,  500, 'Facility', '木製の桟橋', 0),
  ('貿易港',           '桟橋', '海岸', 3, 12000,   0, 1000, 'Facility', '鉄製の桟橋', 0);
